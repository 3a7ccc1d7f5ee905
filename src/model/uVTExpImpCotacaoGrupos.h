#pragma once

#include "model/uVTExpImpCotacaoGrupo.h"

#include <memory>
#include <vector>

class TElementoLido;
class TEscritaXML;
class TMemoryTable;

// The lots of a quotation judged per lot, in document order; the list owns them.
class TGrupos
{
public:
    TGrupos() = default;
    TGrupos(const TGrupos &) = delete;
    TGrupos &operator=(const TGrupos &) = delete;

    TGrupo &Adicionar(std::unique_ptr<TGrupo> grupo);
    void Limpar();
    int Count() const { return static_cast<int>(m_grupos.size()); }
    TGrupo &Grupo(int indice) { return *m_grupos.at(static_cast<std::size_t>(indice)); }
    const TGrupo &Grupo(int indice) const { return *m_grupos.at(static_cast<std::size_t>(indice)); }

    // Refill the list from a "grupos" element, which may be absent (that fails the read). A
    // lot whose items fail keeps the items before the bad one; a bad lot value fails the read.
    void CarregarDoXMLLicitacao(const TElementoLido &grupos);
    void CarregarDoXMLPesquisa(const TElementoLido &grupos);
    // Writes a "grupos" element holding every lot, with its items, in list order into the
    // writer, at its open element.
    void GravarNoXMLLicitacao(TEscritaXML &escrita) const;
    void GravarNoXMLPesquisa(TEscritaXML &escrita) const;

    // One lots row per lot, each followed by its items in the items table.
    void PreencherTabelas(TMemoryTable &mmGrupos, TMemoryTable &mmItens) const;
    // Every lot whose code a lots row holds takes the row's total, rounded to 2 places, and
    // the answers of its item rows.
    void AtualizarDasTabelas(TMemoryTable &mmGrupos, TMemoryTable &mmItens);

private:
    std::vector<std::unique_ptr<TGrupo>> m_grupos;
};
