#include "model/uVTExpImpCotacaoGrupo.h"

#include "common/uExcecoes.h"
#include "messages/uExpLog.h"

namespace {

void CarregarItensDoGrupo(
    TItens &itens, const QDomElement &no, void (TItens::*carregar)(const QDomElement &))
{
    TImpExpLogManager &log = ObterLogManager();
    log.AdicionarMensagem(QStringLiteral("Carregando itens do grupo..."));
    try {
        (itens.*carregar)(no);
        log.AdicionarMensagem(QStringLiteral("Itens do grupo carregados com sucesso."));
    } catch (const Exception &) {
        log.AdicionarErro(QStringLiteral("Erro ao carregar os itens do grupo"));
    }
}

} // namespace

void TGrupo::CarregarItensLicitacao(const QDomElement &itens)
{
    CarregarItensDoGrupo(m_itens, itens, &TItens::CarregarDoXMLLicitacao);
}

void TGrupo::CarregarItensPesquisa(const QDomElement &itens)
{
    CarregarItensDoGrupo(m_itens, itens, &TItens::CarregarDoXMLPesquisa);
}
