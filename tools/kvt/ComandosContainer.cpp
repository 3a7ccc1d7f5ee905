#include "ComandosContainer.h"

#include "KvtSaida.h"
#include "common/uExcecoes.h"
#include "exchange/uVTExpImpCotacaoValidacoes.h"

#include <QFileInfo>

int ComandoPack(const QStringList &argumentos)
{
    const QString documento = QFileInfo(argumentos.at(0)).absoluteFilePath();
    const QString pasta = QFileInfo(argumentos.at(1)).absoluteFilePath();
    return ExecutarComDiagnostico([&] {
        if (CompactarArquivo(TextoParaVersao(VERSAO_ARQUIVO_COTACAO), pasta, documento))
            return;
        if (!QFileInfo(pasta).isDir())
            throw EVrtException(QStringLiteral("A pasta %1 não existe.").arg(pasta));
        throw EVrtException(QStringLiteral("O arquivo %1 não existe.").arg(documento));
    });
}

int ComandoUnpack(const QStringList &argumentos)
{
    const QFileInfo arquivo(argumentos.at(0));
    const QString container
        = ContainerDaCotacao(arquivo.absolutePath(), arquivo.completeBaseName());
    const QString documento = QFileInfo(argumentos.at(1)).absoluteFilePath();
    return ExecutarComDiagnostico([&] {
        if (!DescompactarContainer(TextoParaVersao(VERSAO_ARQUIVO_COTACAO), container, documento))
            throw EVrtException(QStringLiteral("O arquivo %1 não existe.").arg(container));
    });
}
