#pragma once

#include <QString>

class TDadosCotacao;
class TGrupo;
class TItem;

// The quotation model as JSON, every property under its own name in declaration order, the
// lists as arrays or null when absent; date-times as day counts, hex texts as read.
QString CotacaoParaJson(const TDadosCotacao &cotacao);
QString GrupoParaJson(const TGrupo &grupo);
QString ItemParaJson(const TItem &item);
