#pragma once

// Writes the quotation's items to a spreadsheet the supplier fills: one row per item in the
// grid's order under the header row of uColunasPlanilha, the answer columns holding the
// current answers. An .xlsx keeps numbers as numbers in Brazilian pictures, freezes the
// header, sizes the columns to their texts and protects the sheet, without a password, except
// for the three answer columns; a .csv is ";"-separated, with "," before decimals, no
// thousands separator, CR LF line ends and UTF-8 with a byte-order mark, as Brazilian
// spreadsheet programs read it.

#include <QString>

#include <optional>
#include <vector>

class TTabelasCotacao;

struct TItemPlanilha
{
    int Lote = 0; // 0 for a loose item
    int Item = 0;
    QString Tratamento;
    QString MaterialServico;
    double Quantidade = 0;
    std::optional<double> ValorMaximo; // none for a price survey
    std::optional<double> ValorCotado; // none while unanswered (a zero price too)
    QString Marca;
    QString Observacao;
};

// Every item of the open quotation. A pending edit must have been posted before.
std::vector<TItemPlanilha> ItensDaCotacao(TTabelasCotacao &tabelas);

// Writes the items to arquivo, as .xlsx or .csv by its extension; raises EVrtException when
// the extension is another or the file cannot be written (nothing is left half-written).
void GravarPlanilha(const std::vector<TItemPlanilha> &itens, const QString &arquivo);
