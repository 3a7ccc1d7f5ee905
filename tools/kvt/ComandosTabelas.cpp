#include "ComandosTabelas.h"

#include "KvtSaida.h"
#include "common/uExcecoes.h"
#include "common/uPastaTemporaria.h"
#include "exchange/uVTExpImpCotacao.h"
#include "exchange/uVTExpImpCotacaoValidacoes.h"
#include "model/uTabelasCotacao.h"
#include "model/uTabelasCotacaoJson.h"

#include <QFileInfo>

namespace {

QString ContainerLido(const QFileInfo &arquivo)
{
    return ContainerDaCotacao(arquivo.absolutePath(), arquivo.completeBaseName());
}

} // namespace

void AbrirNasTabelas(const QString &arquivo, TExpImpCotacao &controlador, TTabelasCotacao &tabelas)
{
    const QFileInfo info(arquivo);
    tabelas.PrepararParaCarga();
    if (!controlador.Importar(info.completeBaseName(), info.absolutePath(), PastaTemporaria(),
            tabelas.mmDados, tabelas.mmGrupos, tabelas.mmItens, tabelas.mmCotas))
        RecusarAbertura(arquivo);
}

void RecusarAbertura(const QString &arquivo)
{
    const QFileInfo info(arquivo);
    if (!QFileInfo::exists(ContainerLido(info)))
        throw EVrtException(QStringLiteral("O arquivo %1 não existe.").arg(ContainerLido(info)));
    throw EVrtException(QStringLiteral(
        "Ocorreu um erro ao importar as propostas. Contate a administração pública."));
}

int ComandoTables(const QStringList &argumentos)
{
    TTabelasCotacao tabelas;
    tabelas.Abrir();
    TExpImpCotacao controlador;
    const int status
        = ExecutarComDiagnostico([&] { AbrirNasTabelas(argumentos.at(0), controlador, tabelas); });
    if (status == KvtSucesso)
        EscreverSaida(TabelasCotacaoParaJson(tabelas));
    return status;
}

int ComandoResave(const QStringList &argumentos)
{
    const QFileInfo arquivo(argumentos.at(0));
    const QString pasta = QFileInfo(argumentos.at(1)).absoluteFilePath();
    TExpImpCotacao controlador;
    const int status = ExecutarComDiagnostico([&] {
        if (controlador.Regravar(
                arquivo.completeBaseName(), arquivo.absolutePath(), pasta, PastaTemporaria()))
            return;
        if (!QFileInfo::exists(ContainerLido(arquivo)))
            throw EVrtException(
                QStringLiteral("O arquivo %1 não existe.").arg(ContainerLido(arquivo)));
        throw EVrtException(QStringLiteral("A pasta %1 não existe.").arg(pasta));
    });
    if (status == KvtSucesso)
        EscreverSaida(NomeArquivoCompactado(pasta, controlador.NomeArquivo()));
    return status;
}
