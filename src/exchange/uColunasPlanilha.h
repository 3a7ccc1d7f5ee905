#pragma once

// The columns of the spreadsheet through which the supplier takes the items out and brings its
// answers back: their titles, written exactly so, and the match of a title read from a sheet,
// which ignores case, accents and the blanks around and between words.

#include <QString>
#include <QStringList>

#include <optional>

enum class TColunaPlanilha {
    Lote,
    Item,
    Tratamento,
    MaterialServico,
    Quantidade,
    ValorMaximo,
    ValorCotado,
    Marca,
    Observacao,
};
constexpr int QuantidadeColunasPlanilha = 9;

// The nine titles, in the order of the header row.
const QStringList &TitulosColunasPlanilha();
QString TituloColunaPlanilha(TColunaPlanilha coluna);

// The column a header cell names; none for any other text.
std::optional<TColunaPlanilha> ColunaPeloTitulo(const QString &titulo);

// The three columns the supplier answers.
constexpr TColunaPlanilha ColunasDeResposta[]
    = {TColunaPlanilha::ValorCotado, TColunaPlanilha::Marca, TColunaPlanilha::Observacao};
