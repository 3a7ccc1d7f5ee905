#include "model/uVTExpImpCotacaoGrupos.h"

#include "common/uExcecoes.h"
#include "exchange/uVTExpImpCotacaoComum.h"
#include "messages/uExpLog.h"

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

const QString NOME_ITENS = QStringLiteral("itens");

template<std::size_t N>
void CarregarGrupos(TGrupos &lista, const QDomElement &grupos,
    const TElementoGrupo (&vocabulario)[N], void (TGrupo::*carregarItens)(const QDomElement &))
{
    TImpExpLogManager &log = ObterLogManager();
    log.AdicionarMensagem(QStringLiteral("Carregando grupos de itens..."));
    try {
        lista.Limpar();
        if (grupos.isNull())
            throw EVrtException(QStringLiteral("O elemento \"grupos\" não existe no arquivo."));
        const QString nomeGrupo = QStringLiteral("grupo");
        for (QDomElement no = grupos.firstChildElement(nomeGrupo); !no.isNull();
             no = no.nextSiblingElement(nomeGrupo)) {
            auto grupo = std::make_unique<TGrupo>();
            LerElementos(*grupo, no, vocabulario);
            ((*grupo).*carregarItens)(no.firstChildElement(NOME_ITENS));
            lista.Adicionar(std::move(grupo));
        }
        log.AdicionarMensagem(QStringLiteral("Grupos carregados com sucesso."));
    } catch (...) {
        log.AdicionarErro(QStringLiteral("Erro ao carregar os grupos de itens."));
        throw;
    }
}

template<std::size_t N>
QDomElement GravarGrupos(const TGrupos &lista, QDomDocument &documento,
    const TElementoGrupo (&vocabulario)[N],
    QDomElement (TItens::*gravarItens)(QDomDocument &) const)
{
    TImpExpLogManager &log = ObterLogManager();
    log.AdicionarMensagem(QStringLiteral("Carregando grupo de itens..."));
    try {
        QDomElement grupos = documento.createElement(QStringLiteral("grupos"));
        for (int i = 0; i < lista.Count(); ++i) {
            const TGrupo &grupo = lista.Grupo(i);
            QDomElement no = documento.createElement(QStringLiteral("grupo"));
            GravarElementos(grupo, documento, no, vocabulario);
            no.appendChild((grupo.Itens().*gravarItens)(documento));
            grupos.appendChild(no);
        }
        return grupos;
    } catch (...) {
        log.AdicionarErro(QStringLiteral("Erro ao exportar os grupos para o arquivo."));
        throw;
    }
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

void TGrupos::CarregarDoXMLLicitacao(const QDomElement &grupos)
{
    CarregarGrupos(*this, grupos, GRUPO_LICITACAO, &TGrupo::CarregarItensLicitacao);
}

void TGrupos::CarregarDoXMLPesquisa(const QDomElement &grupos)
{
    CarregarGrupos(*this, grupos, GRUPO_PESQUISA, &TGrupo::CarregarItensPesquisa);
}

QDomElement TGrupos::GravarNoXMLLicitacao(QDomDocument &documento) const
{
    return GravarGrupos(*this, documento, GRUPO_LICITACAO, &TItens::GravarNoXMLLicitacao);
}

QDomElement TGrupos::GravarNoXMLPesquisa(QDomDocument &documento) const
{
    return GravarGrupos(*this, documento, GRUPO_PESQUISA, &TItens::GravarNoXMLPesquisa);
}
