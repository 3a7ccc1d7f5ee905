#include "model/uVTExpImpCotacaoItens.h"

#include "common/uFuncoesLicitacao.h"
#include "components/MemTable.h"
#include "exchange/uVTExpImpCotacaoComum.h"

#include <QHash>
#include <QScopedValueRollback>

#include <tuple>
#include <unordered_map>
#include <vector>

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
void CarregarItens(TItens &lista, const TElementoLido &itens, const TElementoItem (&vocabulario)[N])
{
    static const TLinhasLista linhas {QStringLiteral("Carregando itens do arquivo..."),
        QStringLiteral("Itens carregados com sucesso."),
        QStringLiteral("Erro ao carregar os itens do arquivo.")};
    CarregarLista<TItem>(lista, itens, NOME_ITENS, NOME_ITEM, linhas,
        [&](TItem &item, const TElementoLido &no) { LerElementos(item, no, vocabulario); });
}

template<std::size_t N>
void GravarItens(const TItens &lista, TEscritaXML &escrita, const TElementoItem (&vocabulario)[N])
{
    static const TLinhasLista linhas {QStringLiteral("Carregando itens para o arquivo..."),
        QStringLiteral("Itens exportados com sucesso."),
        QStringLiteral("Erro ao exportar os itens para o arquivo.")};
    GravarLista(escrita, NOME_ITENS, NOME_ITEM, lista.Count(), linhas,
        [&](int indice) { GravarElementos(lista.Item(indice), escrita, vocabulario); });
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

void TItens::CarregarDoXMLLicitacao(const TElementoLido &itens)
{
    CarregarItens(*this, itens, ITEM_LICITACAO);
}

void TItens::CarregarDoXMLPesquisa(const TElementoLido &itens)
{
    CarregarItens(*this, itens, ITEM_PESQUISA);
}

void TItens::GravarNoXMLLicitacao(TEscritaXML &escrita) const
{
    GravarItens(*this, escrita, ITEM_LICITACAO);
}

void TItens::GravarNoXMLPesquisa(TEscritaXML &escrita) const
{
    GravarItens(*this, escrita, ITEM_PESQUISA);
}

namespace {

// The description shown for an item: the material's, then each summary that is not blank.
QString DescricaoComposta(const TItem &item)
{
    QString descricao = item.DescricaoMatServ;
    for (const QString *resumo : {&item.ObjetoResumidoMatServ, &item.ObjetoResumidoItem}) {
        if (!resumo->trimmed().isEmpty())
            descricao += QLatin1String(" - ") + *resumo;
    }
    return descricao;
}

// Number, material and treatment: what tells two items of one list apart.
using TChaveItem = std::tuple<qint32, qint32, qint32>;

struct THashChaveItem
{
    std::size_t operator()(const TChaveItem &c) const noexcept
    {
        return qHashMulti(0, std::get<0>(c), std::get<1>(c), std::get<2>(c));
    }
};

} // namespace

void TItens::PreencherTabela(TMemoryTable &mmItens, qint32 codGrupo) const
{
    // Imported rows skip the price check of before-post; the switch comes back on every way out.
    const QScopedValueRollback<bool> semAntesDeGravar(mmItens.HabilitaBeforePost, false);
    TImpExpLogManager &log = ObterLogManager();
    log.AdicionarMensagem(
        QStringLiteral("Importando propostas dos itens para a tabela de memória"));
    try {
        const auto campo = [&](const char *nome) -> TField & {
            return mmItens.FieldByName(QLatin1String(nome));
        };
        TField &numero = campo("ITEM");
        TField &material = campo("CODMATERIAL");
        TField &descricao = campo("DESCMATERIAL");
        TField &quantidade = campo("QTDLICITADA");
        TField &cotado = campo("VLCOTADO");
        TField &estimado = campo("VLESTIMADO");
        TField &grupo = campo("CODGRUPO");
        TField &marca = campo("ITEMMARCA");
        TField &maximo = campo("VLMAXIMO");
        TField &observacao = campo("ITEMOBSERVACAO");
        TField &tratamento = campo("TRATAMENTO");
        for (const auto &item : m_itens) {
            mmItens.Append();
            numero.SetAsInteger(item->Codigo);
            material.SetAsInteger(item->CodigoMatServ);
            descricao.SetAsString(DescricaoComposta(*item));
            quantidade.SetAsFloat(item->Quantidade);
            cotado.SetAsFloat(item->ValorCotado);
            estimado.SetAsFloat(item->ValorEstimado);
            grupo.SetAsInteger(codGrupo);
            marca.SetAsString(item->Marca);
            maximo.SetAsFloat(item->ValorMaximo);
            observacao.SetAsString(item->Observacao);
            tratamento.SetAsInteger(item->Tratamento);
            mmItens.Post();
        }
    } catch (...) {
        log.AdicionarErro(
            QStringLiteral("Erro ao importar as propostas dos itens para a tabela de memória."));
        throw;
    }
    log.AdicionarMensagem(QStringLiteral("Propostas dos itens importadas com sucesso."));
}

void TItens::AtualizarDaTabela(TMemoryTable &mmItens, const std::function<bool()> &linhaAceita)
{
    TImpExpLogManager &log = ObterLogManager();
    log.AdicionarMensagem(QStringLiteral("Atualizando os itens da tabela para os objetos..."));
    try {
        // The first item of each key, found once instead of once per row.
        std::unordered_map<TChaveItem, TItem *, THashChaveItem> primeiro;
        primeiro.reserve(m_itens.size());
        for (const auto &item : m_itens)
            primeiro.try_emplace(
                TChaveItem {item->Codigo, item->CodigoMatServ, item->Tratamento}, item.get());

        const auto campo = [&](const char *nome) -> TField & {
            return mmItens.FieldByName(QLatin1String(nome));
        };
        const TField &numero = campo("ITEM");
        const TField &material = campo("CODMATERIAL");
        const TField &tratamento = campo("TRATAMENTO");
        const TField &cotado = campo("VLCOTADO");
        const TField &marca = campo("ITEMMARCA");
        const TField &observacao = campo("ITEMOBSERVACAO");

        // Every row is read before any item changes, so a failure leaves the list as it was.
        struct TResposta
        {
            TItem *item;
            double valorCotado;
            QString marca, observacao;
        };
        std::vector<TResposta> respostas;
        // The rows are read where they stand: nothing moves, no event fires.
        const auto lerLinha = [&] {
            if (linhaAceita && !linhaAceita())
                return;
            const auto achado
                = primeiro.find({numero.AsInteger(), material.AsInteger(), tratamento.AsInteger()});
            if (achado == primeiro.end())
                return;
            respostas.push_back(
                {achado->second, static_cast<double>(Arredondar(5, cotado.AsFloat())),
                    marca.AsString(), observacao.AsString()});
        };
        for (int linha = 0; linha < mmItens.RecordCount(); ++linha)
            mmItens.NaLinha(linha, lerLinha);
        for (TResposta &r : respostas) {
            r.item->ValorCotado = r.valorCotado;
            r.item->Marca = std::move(r.marca);
            r.item->Observacao = std::move(r.observacao);
        }
    } catch (...) {
        log.AdicionarErro(QStringLiteral("Erro ao atualizar os itens."));
        throw;
    }
    log.AdicionarMensagem(QStringLiteral("Itens atualizados com sucesso."));
}
