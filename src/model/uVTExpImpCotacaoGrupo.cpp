#include "model/uVTExpImpCotacaoGrupo.h"

#include "common/uExcecoes.h"
#include "components/MemTable.h"
#include "exchange/uVTExpImpCotacaoLeitura.h"
#include "messages/uExpLog.h"

#include <QStringView>

namespace {

void CarregarItensDoGrupo(
    TItens &itens, const TElementoLido &no, void (TItens::*carregar)(const TElementoLido &))
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

void TGrupo::CarregarItensLicitacao(const TElementoLido &itens)
{
    CarregarItensDoGrupo(m_itens, itens, &TItens::CarregarDoXMLLicitacao);
}

void TGrupo::CarregarItensPesquisa(const TElementoLido &itens)
{
    CarregarItensDoGrupo(m_itens, itens, &TItens::CarregarDoXMLPesquisa);
}

namespace {

const char16_t *const LinhaItensDoGrupo = u"Atualiza as informações dos ites do Grupo...";

} // namespace

void TGrupo::PreencherItens(TMemoryTable &mmItens) const
{
    TImpExpLogManager &log = ObterLogManager();
    log.AdicionarMensagem(QStringView(LinhaItensDoGrupo).toString());
    try {
        m_itens.PreencherTabela(mmItens, Codigo);
    } catch (...) {
        log.AdicionarErro(QStringLiteral("Itens do grupo não foram atualizados."));
        throw;
    }
    log.AdicionarMensagem(QStringLiteral("Itens do grupo atualizados com sucesso."));
}

void TGrupo::AtualizarItens(TMemoryTable &mmItens)
{
    TImpExpLogManager &log = ObterLogManager();
    log.AdicionarMensagem(QStringView(LinhaItensDoGrupo).toString());
    try {
        // Only this lot's rows, and of a quota lot only those of its quota, whatever the table
        // presents: the window narrows the rows so, a caller without a window does not.
        const TField &grupo = mmItens.FieldByName(QStringLiteral("CODGRUPO"));
        const TField &tratamento = mmItens.FieldByName(QStringLiteral("TRATAMENTO"));
        const bool daCota = Tratamento == 3 || Tratamento == 4;
        m_itens.AtualizarDaTabela(mmItens, [&] {
            return grupo.AsInteger() == Codigo && (!daCota || tratamento.AsInteger() == Tratamento);
        });
    } catch (...) {
        log.AdicionarErro(QStringLiteral("Itens do grupo não foram atualizados."));
        throw;
    }
    log.AdicionarMensagem(QStringLiteral("Itens do grupo atualizados com sucesso."));
}
