#include "ComandosModelo.h"

#include "KvtSaida.h"
#include "common/uExcecoes.h"
#include "common/uPastaTemporaria.h"
#include "exchange/uVTExpImpCotacao.h"
#include "exchange/uVTExpImpCotacaoJson.h"
#include "exchange/uVTExpImpCotacaoValidacoes.h"
#include "messages/uExpLog.h"

#include <QFileInfo>

namespace {

// As the program opens a file: only its folder and base name count, and the document is
// inflated into the program's private temporary folder.
void LerCotacao(const QString &arquivo, TDadosCotacao &cotacao)
{
    ObterLogManager().Limpar();
    const QFileInfo info(arquivo);
    const QString pasta = info.absolutePath() + QLatin1Char('/');
    if (!LerArquivoCotacao(cotacao, pasta, info.completeBaseName(), PastaTemporaria())) {
        throw EVrtException(QStringLiteral("O arquivo %1 não existe.")
                                .arg(ContainerDaCotacao(pasta, info.completeBaseName())));
    }
}

} // namespace

int ComandoCheck(const QStringList &argumentos)
{
    return ExecutarComDiagnostico([&] {
        TDadosCotacao cotacao;
        LerCotacao(argumentos.at(0), cotacao);
        EscreverSaida(QStringLiteral("ok"));
    });
}

int ComandoDump(const QStringList &argumentos)
{
    return ExecutarComDiagnostico([&] {
        TDadosCotacao cotacao;
        LerCotacao(argumentos.at(0), cotacao);
        EscreverSaida(CotacaoParaJson(cotacao));
    });
}
