#pragma once

// Every item of the open quotation in the order of the item table's rows, with what finding
// an item and checking the proposal need: where the item shows (its lot or quota and its row
// there), its words folded for searching, and the answers last read from the table. Built once
// after an open; the answers are refreshed by the totals walk that already runs after every
// posted item, so that the progress shown never walks the items again.

#include <QString>

#include <vector>

class TDadosCotacao;
class TItem;

// A maximum of 0 (or none) binds nothing; a price equal to the maximum is within it.
bool AcimaDoMaximo(double cotado, double maximo);

struct TEntradaItem
{
    const TItem *Item = nullptr; // the model's item, for what the table cuts or leaves out
    qint32 Codigo = 0;
    qint32 Tratamento = 0;
    int Lote = -1; // position of its lot in the lot table; -1 for loose items
    qint32 CodigoLote = 0;
    // Its row among those the item grid shows while its lot or quota is chosen, from 0; -1 when
    // no choice shows it (a reserved lot shows only its reserved items).
    int Linha = -1;
    QString Palavras; // the description, folded: lower case, without accents

    // The answers, as the last totals walk read them.
    double Preco = 0;
    double Maximo = 0;
    bool TemMarca = false;

    bool Cotado() const { return Preco > 0; }
    bool AcimaDoMaximo() const { return ::AcimaDoMaximo(Preco, Maximo); }
};

class TIndiceItens
{
public:
    // The judgement form decides where each item shows: "Gi" by lot (a lot of treatment 3 or 4
    // shows only its items of that treatment), quotas by treatment, else all in one list.
    void Montar(const TDadosCotacao &cotacao, bool porCota);
    void Limpar() { m_entradas.clear(); }

    int Count() const { return int(m_entradas.size()); }
    const TEntradaItem &Entrada(int indice) const { return m_entradas[std::size_t(indice)]; }
    TEntradaItem &Entrada(int indice) { return m_entradas[std::size_t(indice)]; }

    // The next entry after `de` (backwards with `paraTras`), wrapping around, that can be shown
    // and whose number is the text or whose description holds every word of it; -1 when none.
    int Localizar(const QString &texto, int de, bool paraTras = false) const;
    // The next entry after `de`, wrapping around, that can be shown and has no price; -1.
    int ProximoSemPreco(int de) const;

private:
    template<typename Criterio>
    int Procurar(int de, bool paraTras, Criterio criterio) const;

    std::vector<TEntradaItem> m_entradas;
};
