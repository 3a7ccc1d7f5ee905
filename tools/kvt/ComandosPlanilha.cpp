#include "ComandosPlanilha.h"

#include "ComandosTabelas.h"
#include "KvtSaida.h"
#include "app/uAplicacaoPlanilha.h"
#include "app/uConferenciaPlanilha.h"
#include "app/uRegrasCotacao.h"
#include "common/uExcecoes.h"
#include "exchange/uEscritorPlanilha.h"
#include "exchange/uLeitorPlanilha.h"
#include "exchange/uVTExpImpCotacao.h"
#include "exchange/uVTExpImpCotacaoValidacoes.h"
#include "model/uTabelasCotacao.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QLatin1String AceitarAcimaDoMaximo("--aceitar-acima-do-maximo");

// The main window's open: the tables readied for editing, the items following the first lot
// or quota.
void AbrirComoAJanela(const QString &arquivo, TRegrasCotacao &regras)
{
    TTabelasCotacao &t = regras.Tabelas();
    t.mmGrupos.AfterScroll = [&regras](TMemoryTable &) { regras.SeguirLote(); };
    t.mmCotas.AfterScroll = [&regras](TMemoryTable &) { regras.SeguirCota(); };
    regras.NovoControlador();
    const QFileInfo info(arquivo);
    if (!regras.Carregar(info.completeBaseName(), info.absolutePath() + QLatin1Char('/')))
        RecusarAbertura(arquivo);
    t.mmItens.First();
    t.mmGrupos.First();
    t.mmCotas.First();
}

} // namespace

int ComandoPlanilha(const QStringList &argumentos)
{
    TTabelasCotacao tabelas;
    tabelas.Abrir();
    TExpImpCotacao controlador;
    return ExecutarComDiagnostico([&] {
        AbrirNasTabelas(argumentos.at(0), controlador, tabelas);
        GravarPlanilha(ItensDaCotacao(tabelas), argumentos.at(1));
    });
}

int ComandoImportar(const QStringList &argumentos)
{
    if (argumentos.size() == 4 && argumentos.at(3) != AceitarAcimaDoMaximo)
        return KvtUsoErrado;
    const bool aceitarAcima = argumentos.size() == 4;
    const QString pasta = QFileInfo(argumentos.at(2)).absoluteFilePath();

    TTabelasCotacao tabelas;
    tabelas.Abrir();
    TRegrasCotacao regras(tabelas);
    const int status = ExecutarComDiagnostico([&] {
        AbrirComoAJanela(argumentos.at(0), regras);
        const TPlanilhaLida planilha = LerPlanilha(argumentos.at(1));
        TConferenciaPlanilha conferencia = ConferirPlanilha(tabelas, planilha);

        // Without a window to ask in, a price above its maximum under "Pr" is a problem unless
        // the caller accepted such prices beforehand.
        const bool perguntaria = regras.RegraPrecoMaximo() == TRegraPrecoMaximo::Perguntar;
        if (perguntaria && !aceitarAcima) {
            for (const TAlteracaoItem &alteracao : conferencia.Alteracoes) {
                if (alteracao.AcimaDoMaximo())
                    conferencia.Problemas.push_back({alteracao.Linha,
                        QStringLiteral("O valor cotado (%1) é maior que o preço máximo (%2).")
                            .arg(EmReais(*tabelas.mmItensVlCotado, *alteracao.Preco),
                                EmReais(*tabelas.mmItensVlMaximo, alteracao.ValorMaximo))});
            }
            std::sort(conferencia.Problemas.begin(), conferencia.Problemas.end(),
                [](const TProblemaPlanilha &a, const TProblemaPlanilha &b) {
                    return a.Linha < b.Linha;
                });
        }
        if (!conferencia.Problemas.empty()) {
            for (const TProblemaPlanilha &problema : conferencia.Problemas)
                EscreverErro(QStringLiteral("problema: ") + problema.Descricao());
            throw EVrtException(
                QStringLiteral("A planilha foi recusada: %1 problema(s); nada foi gravado.")
                    .arg(conferencia.Problemas.size()));
        }
        const std::vector<TAlteracaoItem> alteracoes = perguntaria
            ? std::move(conferencia.Alteracoes)
            : DecidirPrecosAcimaDoMaximo(regras, std::move(conferencia.Alteracoes));

        // The controller removes the file it opened only when it writes another name; naming
        // the file it will write keeps FILE in place.
        TExpImpCotacao &controlador = *regras.ExpImpCotacao();
        controlador.SetNomeArquivo(NomeArquivoCanonico(controlador.Cotacao()));
        if (!QDir(pasta).exists())
            throw EVrtException(QStringLiteral("A pasta %1 não existe.").arg(pasta));
        if (!AplicarAlteracoes(regras, alteracoes, pasta + QLatin1Char('/')))
            throw EVrtException(
                QStringLiteral("Não foi possível gravar o arquivo em %1.").arg(pasta));
    });
    if (status == KvtSucesso)
        EscreverSaida(NomeArquivoCompactado(pasta, regras.ExpImpCotacao()->NomeArquivo()));
    return status;
}
