#pragma once

#include <QString>
#include <QStringList>

class TMemoryTable;

// Fills the supplier table's one row from a JSON object whose keys are the table's field names.
// Raises EVrtException for a file that cannot be read, is no object or names an unknown field.
void PreencherFornecedorDoJson(TMemoryTable &mmForneced, const QString &arquivoJson);

// kvt proposta FILE OUT.pdf [SUPPLIER.json]: the printed proposal of a tender as a PDF file.
int ComandoProposta(const QStringList &argumentos);
