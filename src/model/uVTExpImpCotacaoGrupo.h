#pragma once

#include "model/uVTExpImpCotacaoItens.h"

#include <QDomElement>
#include <QString>

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
    void CarregarItensLicitacao(const QDomElement &itens);
    void CarregarItensPesquisa(const QDomElement &itens);

private:
    TItens m_itens;
};
