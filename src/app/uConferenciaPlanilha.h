#pragma once

// Checks the rows of a spreadsheet against the open quotation's items before anything is
// written: which answers each row changes, and the problem lines (an unknown item, a lot that
// does not hold the item, a value that is not a number, a negative, a text longer than its
// field, a row that repeats an item). Prices above their maximum are changes like any other,
// marked, because what they call for depends on the modality (uAplicacaoPlanilha).
//
// Header cells are matched by title (uColunasPlanilha) in any order; rows are matched to items
// by "Item", and by "Lote" too for a tender judged per lot; where a tender split into quotas
// holds the same item number in both quotas, "Tratamento" tells them apart. An empty answer
// cell leaves that
// answer as it is. A price is kept to the five decimals the quotation shows.

#include "exchange/uPlanilhaLida.h"

#include <QString>

#include <optional>
#include <vector>

class TTabelasCotacao;

struct TAlteracaoItem
{
    int Linha = 0; // of the spreadsheet
    int Lote = 0; // 0 for a loose item
    int Item = 0;
    int Tratamento = 0; // of the item matched
    double PrecoAnterior = 0;
    double ValorMaximo = 0;
    // The new answers; none where the row leaves the answer as it is.
    std::optional<double> Preco;
    std::optional<QString> Marca;
    std::optional<QString> Observacao;

    bool AcimaDoMaximo() const;
    // "Item 3" or "Lote 2, item 3".
    QString Nome() const;
};

struct TProblemaPlanilha
{
    int Linha = 0;
    QString Texto;
    // "Linha 7: ..." as lists show it.
    QString Descricao() const;
};

struct TConferenciaPlanilha
{
    std::vector<TAlteracaoItem> Alteracoes;
    std::vector<TProblemaPlanilha> Problemas;
};

// Raises EVrtException when the sheet as a whole cannot be read as answers: no header row, no
// "Item" column (or no "Lote" column for a tender judged per lot), no answer column, a column
// named twice. A pending item edit must have been posted before.
TConferenciaPlanilha ConferirPlanilha(TTabelasCotacao &tabelas, const TPlanilhaLida &planilha);
