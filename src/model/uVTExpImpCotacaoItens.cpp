#include "model/uVTExpImpCotacaoItens.h"

#include "exchange/uVTExpImpCotacaoComum.h"

namespace {

using TElementoItem = TElementoXML<TItem>;

// The "item" children of each vocabulary, in write order.
const TElementoItem ITEM_LICITACAO[] = {
    {QStringLiteral("itemcodigo"), &TItem::Codigo, TCodificacao::Inteiro},
    {QStringLiteral("itemqtdlicitada"), &TItem::Quantidade, TCodificacao::Real},
    {QStringLiteral("itemqtdminima"), &TItem::QuantidadeMinima, TCodificacao::Real},
    {QStringLiteral("itemvalorcotado"), &TItem::ValorCotado, TCodificacao::Real},
    {QStringLiteral("itemobjresumido"), &TItem::ObjetoResumidoItem, TCodificacao::Texto},
    {QStringLiteral("matservidigo"), &TItem::CodigoMatServ, TCodificacao::Inteiro},
    {QStringLiteral("matserviobjresumido"), &TItem::ObjetoResumidoMatServ, TCodificacao::Texto},
    {QStringLiteral("matservidescricao"), &TItem::DescricaoMatServ, TCodificacao::Texto},
    {QStringLiteral("itemvlestimado"), &TItem::ValorEstimado, TCodificacao::Real},
    {QStringLiteral("itemmarca"), &TItem::Marca, TCodificacao::Texto},
    {QStringLiteral("itemvalormaximo"), &TItem::ValorMaximo, TCodificacao::Real},
    {QStringLiteral("itemobservacao"), &TItem::Observacao, TCodificacao::Texto},
    {QStringLiteral("itemtratamento"), &TItem::Tratamento, TCodificacao::Inteiro},
};

const TElementoItem ITEM_PESQUISA[] = {
    {QStringLiteral("itemcodigo"), &TItem::Codigo, TCodificacao::Inteiro},
    {QStringLiteral("itemqtd"), &TItem::Quantidade, TCodificacao::Real},
    {QStringLiteral("itemvalorunitcotado"), &TItem::ValorCotado, TCodificacao::Real},
    {QStringLiteral("itemservmatcod"), &TItem::CodigoMatServ, TCodificacao::Inteiro},
    {QStringLiteral("itemservmatdesc"), &TItem::DescricaoMatServ, TCodificacao::Texto},
    {QStringLiteral("itemmarca"), &TItem::Marca, TCodificacao::Texto},
    {QStringLiteral("itemobservacao"), &TItem::Observacao, TCodificacao::Texto},
    {QStringLiteral("itemobjresumido"), &TItem::ObjetoResumidoItem, TCodificacao::Texto},
    {QStringLiteral("matserviobjresumido"), &TItem::ObjetoResumidoMatServ, TCodificacao::Texto},
};

const QString NOME_ITENS = QStringLiteral("itens");
const QString NOME_ITEM = QStringLiteral("item");

template<std::size_t N>
void CarregarItens(TItens &lista, const QDomElement &itens, const TElementoItem (&vocabulario)[N])
{
    static const TLinhasLista linhas {QStringLiteral("Carregando itens do arquivo..."),
        QStringLiteral("Itens carregados com sucesso."),
        QStringLiteral("Erro ao carregar os itens do arquivo.")};
    CarregarLista<TItem>(lista, itens, NOME_ITENS, NOME_ITEM, linhas,
        [&](TItem &item, const QDomElement &no) { LerElementos(item, no, vocabulario); });
}

template<std::size_t N>
QDomElement GravarItens(
    const TItens &lista, QDomDocument &documento, const TElementoItem (&vocabulario)[N])
{
    static const TLinhasLista linhas {QStringLiteral("Carregando itens para o arquivo..."),
        QStringLiteral("Itens exportados com sucesso."),
        QStringLiteral("Erro ao exportar os itens para o arquivo.")};
    return GravarLista(
        documento, NOME_ITENS, NOME_ITEM, lista.Count(), linhas, [&](int indice, QDomElement &no) {
            GravarElementos(lista.Item(indice), documento, no, vocabulario);
        });
}

} // namespace

TItem &TItens::Adicionar(std::unique_ptr<TItem> item)
{
    m_itens.push_back(std::move(item));
    return *m_itens.back();
}

void TItens::Limpar()
{
    m_itens.clear();
}

void TItens::CarregarDoXMLLicitacao(const QDomElement &itens)
{
    CarregarItens(*this, itens, ITEM_LICITACAO);
}

void TItens::CarregarDoXMLPesquisa(const QDomElement &itens)
{
    CarregarItens(*this, itens, ITEM_PESQUISA);
}

QDomElement TItens::GravarNoXMLLicitacao(QDomDocument &documento) const
{
    return GravarItens(*this, documento, ITEM_LICITACAO);
}

QDomElement TItens::GravarNoXMLPesquisa(QDomDocument &documento) const
{
    return GravarItens(*this, documento, ITEM_PESQUISA);
}
