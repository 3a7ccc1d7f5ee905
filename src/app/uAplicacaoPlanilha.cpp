#include "app/uAplicacaoPlanilha.h"

#include "app/uRegrasCotacao.h"
#include "messages/ExibeMensagens.h"
#include "model/uTabelasCotacao.h"

#include <QScopedValueRollback>
#include <QStringList>

#include <map>
#include <tuple>

namespace {

// More lines than these go to the message's details only.
constexpr int LinhasNaMensagem = 10;

QString Listagem(const QStringList &linhas)
{
    QStringList mostradas = linhas.mid(0, LinhasNaMensagem);
    if (linhas.size() > LinhasNaMensagem)
        mostradas.append(QStringLiteral("... e mais %1 (veja os detalhes).")
                             .arg(linhas.size() - LinhasNaMensagem));
    return mostradas.join(QLatin1Char('\r'));
}

void Escrever(TTabelasCotacao &t, const TAlteracaoItem &alteracao)
{
    t.mmItens.Edit();
    if (alteracao.Preco)
        t.mmItensVlCotado->SetAsFloat(*alteracao.Preco);
    if (alteracao.Marca)
        t.mmItens.FieldByName(QStringLiteral("ITEMMARCA")).SetAsString(*alteracao.Marca);
    if (alteracao.Observacao)
        t.mmItens.FieldByName(QStringLiteral("itemobservacao")).SetAsString(*alteracao.Observacao);
    t.mmItens.Post();
}

} // namespace

QStringList PrecosAcimaDoMaximo(
    const TRegrasCotacao &regras, const std::vector<TAlteracaoItem> &alteracoes)
{
    const TTabelasCotacao &t = regras.Tabelas();
    QStringList linhas;
    for (const TAlteracaoItem &alteracao : alteracoes) {
        if (alteracao.AcimaDoMaximo())
            linhas.append(QStringLiteral("%1: %2, máximo %3")
                              .arg(alteracao.Nome(), EmReais(*t.mmItensVlCotado, *alteracao.Preco),
                                  EmReais(*t.mmItensVlMaximo, alteracao.ValorMaximo)));
    }
    return linhas;
}

std::vector<TAlteracaoItem> DecidirPrecosAcimaDoMaximo(
    const TRegrasCotacao &regras, std::vector<TAlteracaoItem> alteracoes)
{
    const QStringList acima = PrecosAcimaDoMaximo(regras, alteracoes);
    if (acima.isEmpty())
        return alteracoes;
    const QString detalhes = acima.join(QLatin1Char('\n'));
    switch (regras.RegraPrecoMaximo()) {
    case TRegraPrecoMaximo::Aceitar:
        break;
    case TRegraPrecoMaximo::Perguntar: {
        const QString pergunta
            = QStringLiteral("Os valores da proposta abaixo são maiores que o preço máximo:\r%1\r"
                             "Continuar mesmo assim?")
                  .arg(Listagem(acima));
        if (ExibeMensagemDetalhada(
                tmPergunta, QStringLiteral("Atenção"), pergunta, bmSim | bmNao, detalhes, false)
            != mrYes) {
            std::vector<TAlteracaoItem> aceitas;
            for (TAlteracaoItem &alteracao : alteracoes) {
                if (!alteracao.AcimaDoMaximo())
                    aceitas.push_back(std::move(alteracao));
            }
            return aceitas;
        }
        break;
    }
    case TRegraPrecoMaximo::Informar:
        ExibeInformacao(
            QStringLiteral("Os valores cotados abaixo são maiores que o preço máximo:\r%1")
                .arg(Listagem(acima)),
            bmContinuar, detalhes);
        break;
    }
    return alteracoes;
}

bool AplicarAlteracoes(
    TRegrasCotacao &regras, const std::vector<TAlteracaoItem> &alteracoes, const QString &diretorio)
{
    TTabelasCotacao &t = regras.Tabelas();
    std::map<std::tuple<int, int, int>, const TAlteracaoItem *> porItem;
    for (const TAlteracaoItem &alteracao : alteracoes)
        porItem.emplace(
            std::make_tuple(alteracao.Lote, alteracao.Item, alteracao.Tratamento), &alteracao);
    const bool porLote = regras.MostraLotes();
    const TField &lote = t.mmItens.FieldByName(QStringLiteral("CodGrupo"));
    const TField &item = t.mmItens.FieldByName(QStringLiteral("Item"));

    regras.DesabilitarControles();
    regras.GuardarPosicoes();
    const bool filtrado = t.mmItens.Filtered();
    const auto restaurar = [&] {
        t.mmItens.SetFiltered(filtrado);
        regras.RestaurarPosicoes();
        regras.HabilitarControles();
    };
    try {
        const QScopedValueRollback<bool> verificacao(t.mmItens.HabilitaBeforePost, false);
        const QScopedValueRollback<bool> gravacao(t.mmItens.HabilitaAfterPost, false);
        t.mmItens.SetFiltered(false);
        for (t.mmItens.First(); !t.mmItens.Eof() && !porItem.empty(); t.mmItens.Next()) {
            const auto alteracao = porItem.find(std::make_tuple(porLote ? lote.AsInteger() : 0,
                item.AsInteger(), t.mmItensTratamento->AsInteger()));
            if (alteracao == porItem.end())
                continue;
            Escrever(t, *alteracao->second);
            porItem.erase(alteracao);
        }
    } catch (...) {
        restaurar();
        throw;
    }
    restaurar();
    regras.CalcularTotais(TRegrasCotacao::TLotes::Todos);
    return regras.SalvarCotacao(diretorio, false);
}
