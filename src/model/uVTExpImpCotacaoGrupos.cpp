#include "model/uVTExpImpCotacaoGrupos.h"

#include "common/uFuncoesLicitacao.h"
#include "components/MemTable.h"
#include "exchange/uVTExpImpCotacaoComum.h"

namespace {

using TElementoGrupo = TElementoXML<TGrupo>;

// The values of a "grupo" in write order; its "itens" element follows them.
const TElementoGrupo GRUPO_LICITACAO[] = {
    {QStringLiteral("grupocodigo"), &TGrupo::Codigo, TCodificacao::Inteiro},
    {QStringLiteral("grupodescricao"), &TGrupo::Descricao, TCodificacao::Texto},
    {QStringLiteral("grupovalor"), &TGrupo::Valor, TCodificacao::Real},
    {QStringLiteral("grupotratamento"), &TGrupo::Tratamento, TCodificacao::Inteiro},
};

const TElementoGrupo GRUPO_PESQUISA[] = {
    {QStringLiteral("grupocodigo"), &TGrupo::Codigo, TCodificacao::Inteiro},
    {QStringLiteral("grupodescricao"), &TGrupo::Descricao, TCodificacao::Texto},
    {QStringLiteral("grupovalor"), &TGrupo::Valor, TCodificacao::Real},
};

const QString NOME_GRUPOS = QStringLiteral("grupos");
const QString NOME_GRUPO = QStringLiteral("grupo");
const QString NOME_ITENS = QStringLiteral("itens");

template<std::size_t N>
void CarregarGrupos(TGrupos &lista, const TElementoLido &grupos,
    const TElementoGrupo (&vocabulario)[N], void (TGrupo::*carregarItens)(const TElementoLido &))
{
    static const TLinhasLista linhas {QStringLiteral("Carregando grupos de itens..."),
        QStringLiteral("Grupos carregados com sucesso."),
        QStringLiteral("Erro ao carregar os grupos de itens.")};
    CarregarLista<TGrupo>(lista, grupos, NOME_GRUPOS, NOME_GRUPO, linhas,
        [&](TGrupo &grupo, const TElementoLido &no) {
            LerElementos(grupo, no, vocabulario);
            (grupo.*carregarItens)(no.PrimeiroFilho(NOME_ITENS));
        });
}

// No success line is logged for the lots: the item writer of each lot logs its own.
template<std::size_t N>
void GravarGrupos(const TGrupos &lista, TEscritaXML &escrita,
    const TElementoGrupo (&vocabulario)[N], void (TItens::*gravarItens)(TEscritaXML &) const)
{
    static const TLinhasLista linhas {QStringLiteral("Carregando grupo de itens..."), QString(),
        QStringLiteral("Erro ao exportar os grupos para o arquivo.")};
    GravarLista(escrita, NOME_GRUPOS, NOME_GRUPO, lista.Count(), linhas, [&](int indice) {
        const TGrupo &grupo = lista.Grupo(indice);
        GravarElementos(grupo, escrita, vocabulario);
        (grupo.Itens().*gravarItens)(escrita);
    });
}

} // namespace

TGrupo &TGrupos::Adicionar(std::unique_ptr<TGrupo> grupo)
{
    m_grupos.push_back(std::move(grupo));
    return *m_grupos.back();
}

void TGrupos::Limpar()
{
    m_grupos.clear();
}

void TGrupos::CarregarDoXMLLicitacao(const TElementoLido &grupos)
{
    CarregarGrupos(*this, grupos, GRUPO_LICITACAO, &TGrupo::CarregarItensLicitacao);
}

void TGrupos::CarregarDoXMLPesquisa(const TElementoLido &grupos)
{
    CarregarGrupos(*this, grupos, GRUPO_PESQUISA, &TGrupo::CarregarItensPesquisa);
}

void TGrupos::GravarNoXMLLicitacao(TEscritaXML &escrita) const
{
    GravarGrupos(*this, escrita, GRUPO_LICITACAO, &TItens::GravarNoXMLLicitacao);
}

void TGrupos::GravarNoXMLPesquisa(TEscritaXML &escrita) const
{
    GravarGrupos(*this, escrita, GRUPO_PESQUISA, &TItens::GravarNoXMLPesquisa);
}

void TGrupos::PreencherTabelas(TMemoryTable &mmGrupos, TMemoryTable &mmItens) const
{
    TImpExpLogManager &log = ObterLogManager();
    log.AdicionarMensagem(
        QStringLiteral("Importando propostas dos grupos de itens para a tabela de memória"));
    try {
        TField &codigo = mmGrupos.FieldByName(QStringLiteral("CODGRUPO"));
        TField &descricao = mmGrupos.FieldByName(QStringLiteral("DESCGRUPO"));
        TField &valor = mmGrupos.FieldByName(QStringLiteral("VLTOTAL"));
        TField &tratamento = mmGrupos.FieldByName(QStringLiteral("TRATAMENTO"));
        for (const auto &grupo : m_grupos) {
            mmGrupos.Append();
            codigo.SetAsInteger(grupo->Codigo);
            descricao.SetAsString(grupo->Descricao);
            valor.SetAsFloat(grupo->Valor);
            tratamento.SetAsInteger(grupo->Tratamento);
            mmGrupos.Post();
            grupo->PreencherItens(mmItens);
        }
    } catch (...) {
        log.AdicionarErro(QStringLiteral(
            "Erro ao importar as propostas dos grupos de itens para a tabela de memória."));
        throw;
    }
    log.AdicionarMensagem(QStringLiteral("Propostas dos grupos de itens importadas com sucesso."));
}

void TGrupos::AtualizarDasTabelas(TMemoryTable &mmGrupos, TMemoryTable &mmItens)
{
    TImpExpLogManager &log = ObterLogManager();
    log.AdicionarMensagem(
        QStringLiteral("Atualizando os Grupos de itens das tabelas de memoria..."));
    try {
        const TField &codigo = mmGrupos.FieldByName(QStringLiteral("CODGRUPO"));
        const TField &valor = mmGrupos.FieldByName(QStringLiteral("VLTOTAL"));
        for (mmGrupos.First(); !mmGrupos.Eof(); mmGrupos.Next()) {
            for (const auto &grupo : m_grupos) {
                if (grupo->Codigo != codigo.AsInteger())
                    continue;
                grupo->Valor = static_cast<double>(Arredondar(2, valor.AsFloat()));
                grupo->AtualizarItens(mmItens);
            }
        }
    } catch (...) {
        log.AdicionarErro(QStringLiteral("Erro ao atualizar os grupos de itens."));
        throw;
    }
    log.AdicionarMensagem(QStringLiteral("Grupos atualizados com sucesso."));
}
