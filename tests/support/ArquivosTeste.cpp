#include "support/ArquivosTeste.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

QByteArray LerArquivo(const QString &caminho)
{
    QFile arquivo(caminho);
    EXPECT_TRUE(arquivo.open(QIODevice::ReadOnly)) << caminho.toStdString();
    return arquivo.readAll();
}

void GravarArquivo(const QString &caminho, const QByteArray &conteudo)
{
    QFile arquivo(caminho);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly)) << caminho.toStdString();
    ASSERT_EQ(arquivo.write(conteudo), conteudo.size());
}

QStringList ArquivosEm(const QString &pasta)
{
    QStringList arquivos;
    QDirIterator it(pasta, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    const QDir base(pasta);
    while (it.hasNext())
        arquivos.append(base.relativeFilePath(it.next()));
    arquivos.sort();
    return arquivos;
}
