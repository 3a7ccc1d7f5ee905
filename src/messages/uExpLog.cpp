#include "messages/uExpLog.h"

#include "common/uExcecoes.h"

#include <QSaveFile>

void TImpExpLogManager::AdicionarMensagem(const QString &texto)
{
    m_linhas.append(texto);
    if (SalvarAutomaticamente && !ArquivoLog.isEmpty())
        SalvarEmArquivo(ArquivoLog);
}

void TImpExpLogManager::AdicionarErro(const QString &texto)
{
    AdicionarMensagem(QStringLiteral("[Erro] ") + texto);
}

void TImpExpLogManager::Limpar()
{
    m_linhas.clear();
}

void TImpExpLogManager::SalvarEmArquivo(const QString &nomeArquivo) const
{
    QSaveFile arquivo(nomeArquivo);
    if (!arquivo.open(QIODevice::WriteOnly))
        throw EFileError(QStringLiteral("Não foi possível criar o arquivo %1.").arg(nomeArquivo));
    for (const QString &linha : m_linhas) {
        arquivo.write(linha.toUtf8());
        arquivo.write("\r\n");
    }
    if (!arquivo.commit())
        throw EFileError(QStringLiteral("Não foi possível gravar o arquivo %1.").arg(nomeArquivo));
}

TImpExpLogManager &ObterLogManager()
{
    static TImpExpLogManager log;
    return log;
}
