#pragma once

#include <QString>

class TMemoryTable;
class TTabelasCotacao;

// The rows a table presents, in table order, as a JSON array of objects holding every field
// under its declared name, in field order: null for a null field, numbers for integers and
// reals, true/false for booleans, day counts for dates and times, text for text and memo
// fields, and lower-case hexadecimal for the bytes of a picture. Reading moves no cursor and
// fires no event.
QString TabelaParaJson(const TMemoryTable &tabela);

// One object holding the header, lots, items and quotas tables under their names.
QString TabelasCotacaoParaJson(const TTabelasCotacao &tabelas);
