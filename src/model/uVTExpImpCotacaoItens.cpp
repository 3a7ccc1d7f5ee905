#include "model/uVTExpImpCotacaoItens.h"

#include "common/uExcecoes.h"
#include "exchange/uVTExpImpCotacaoComum.h"
#include "messages/uExpLog.h"

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

template<std::size_t N>
void CarregarItens(TItens &lista, const QDomElement &itens, const TElementoItem (&vocabulario)[N])
{
    TImpExpLogManager &log = ObterLogManager();
    log.AdicionarMensagem(QStringLiteral("Carregando itens do arquivo..."));
    try {
        lista.Limpar();
        if (itens.isNull())
            throw EVrtException(QStringLiteral("O elemento \"itens\" não existe no arquivo."));
        const QString nomeItem = QStringLiteral("item");
        for (QDomElement no = itens.firstChildElement(nomeItem); !no.isNull();
             no = no.nextSiblingElement(nomeItem)) {
            auto item = std::make_unique<TItem>();
            LerElementos(*item, no, vocabulario);
            lista.Adicionar(std::move(item));
        }
        log.AdicionarMensagem(QStringLiteral("Itens carregados com sucesso."));
    } catch (...) {
        log.AdicionarErro(QStringLiteral("Erro ao carregar os itens do arquivo."));
        throw;
    }
}

template<std::size_t N>
QDomElement GravarItens(
    const TItens &lista, QDomDocument &documento, const TElementoItem (&vocabulario)[N])
{
    TImpExpLogManager &log = ObterLogManager();
    log.AdicionarMensagem(QStringLiteral("Carregando itens para o arquivo..."));
    try {
        QDomElement itens = documento.createElement(QStringLiteral("itens"));
        for (int i = 0; i < lista.Count(); ++i) {
            QDomElement item = documento.createElement(QStringLiteral("item"));
            GravarElementos(lista.Item(i), documento, item, vocabulario);
            itens.appendChild(item);
        }
        log.AdicionarMensagem(QStringLiteral("Itens exportados com sucesso."));
        return itens;
    } catch (...) {
        log.AdicionarErro(QStringLiteral("Erro ao exportar os itens para o arquivo."));
        throw;
    }
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
