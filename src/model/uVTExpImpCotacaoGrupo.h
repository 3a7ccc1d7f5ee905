#pragma once

#include "model/uVTExpImpCotacaoItens.h"

#include <QString>

class TElementoLido;
class TMemoryTable;

// One lot of a quotation judged per lot; it owns its items, whose list is never absent.
class TGrupo
{
public:
    TGrupo() = default;
    TGrupo(const TGrupo &) = delete;
    TGrupo &operator=(const TGrupo &) = delete;

    qint32 Codigo = 0;
    QString Descricao;
    double Valor = 0; // the supplier's total for the lot, in reais
    qint32 Tratamento = 0; // treatment code; the price-survey vocabulary leaves it 0

    TItens &Itens() { return m_itens; }
    const TItens &Itens() const { return m_itens; }

    // Refill the lot's items from its "itens" element (which may be absent). A failure is
    // logged and swallowed: the lot keeps the items read before it and the other lots load.
    void CarregarItensLicitacao(const TElementoLido &itens);
    void CarregarItensPesquisa(const TElementoLido &itens);

    // The lot's items into the items table, under the lot's code.
    void PreencherItens(TMemoryTable &mmItens) const;
    // The answers of the lot's rows back into its items: the rows of its code and, for a
    // quota lot (treatment 3 or 4), of its treatment.
    void AtualizarItens(TMemoryTable &mmItens);

private:
    TItens m_itens;
};
