#pragma once

#include "model/uVTExpImpCotacaoItem.h"

#include <functional>
#include <memory>
#include <vector>

class TElementoLido;
class TEscritaXML;
class TMemoryTable;

// The items of a quotation or of one lot, in document order; the list owns them.
class TItens
{
public:
    TItens() = default;
    TItens(const TItens &) = delete;
    TItens &operator=(const TItens &) = delete;

    TItem &Adicionar(std::unique_ptr<TItem> item);
    void Limpar();
    int Count() const { return static_cast<int>(m_itens.size()); }
    TItem &Item(int indice) { return *m_itens.at(static_cast<std::size_t>(indice)); }
    const TItem &Item(int indice) const { return *m_itens.at(static_cast<std::size_t>(indice)); }

    // Refill the list from an "itens" element, which may be absent (that fails the read). On
    // a bad value the items before it stay in the list and the error is raised.
    void CarregarDoXMLLicitacao(const TElementoLido &itens);
    void CarregarDoXMLPesquisa(const TElementoLido &itens);
    // Writes an "itens" element holding every item in list order into the writer, at its open
    // element.
    void GravarNoXMLLicitacao(TEscritaXML &escrita) const;
    void GravarNoXMLPesquisa(TEscritaXML &escrita) const;

    // Appends one row per item to the items table, with the lot's code (0 for loose items).
    // The table's before-post step is off meanwhile, so imported rows skip the editing rules.
    void PreencherTabela(TMemoryTable &mmItens, qint32 codGrupo) const;
    // Copies the quoted price (rounded to 5 places), the brand and the observation of every
    // row the items table presents (and linhaAceita accepts, when given) into the first item
    // of the same number, material and treatment. A failure leaves the list unchanged.
    void AtualizarDaTabela(TMemoryTable &mmItens, const std::function<bool()> &linhaAceita = {});

private:
    std::vector<std::unique_ptr<TItem>> m_itens;
};
