#include "EntradasFuzz.h"
#include "exchange/uVTExpImpCotacaoValidacoes.h"
#include "support/ArquivosTeste.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cctype>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct TEntradaGuardada
{
    QString alvo;
    QString arquivo;
};

void PrintTo(const TEntradaGuardada &entrada, std::ostream *saida)
{
    *saida << entrada.arquivo.toStdString();
}

// The hand seeds and the kept findings of every target, and the samples for the container.
std::vector<TEntradaGuardada> EntradasGuardadas()
{
    std::vector<TEntradaGuardada> entradas;
    const auto acrescentar = [&entradas](const QString &alvo, const QString &pasta) {
        for (const QString &arquivo : ArquivosEm(pasta))
            entradas.push_back({alvo, QDir(pasta).filePath(arquivo)});
    };
    for (const char *alvo :
        {"container", "documento", "hexa", "formatfloat", "datahora", "planilha"}) {
        const QString nome = QString::fromLatin1(alvo);
        acrescentar(nome, QStringLiteral(PASTA_FUZZ "/sementes/") + nome);
        acrescentar(nome, QStringLiteral(PASTA_FUZZ "/regressoes/") + nome);
    }
    for (const QString &amostra :
        QDir(QStringLiteral(PASTA_AMOSTRAS)).entryList({QStringLiteral("*.kvt")}))
        entradas.push_back(
            {QStringLiteral("container"), QStringLiteral(PASTA_AMOSTRAS "/") + amostra});
    return entradas;
}

class RegressoesFuzz : public ::testing::TestWithParam<TEntradaGuardada>
{
};

TEST_P(RegressoesFuzz, KeepsItsPromises)
{
    const TEntradaFuzz entrada = EntradaFuzz(GetParam().alvo);
    ASSERT_NE(entrada, nullptr);
    EXPECT_EQ(entrada(LerArquivo(GetParam().arquivo)).toStdString(), "");
}

INSTANTIATE_TEST_SUITE_P(Guardadas, RegressoesFuzz, ::testing::ValuesIn(EntradasGuardadas()),
    [](const ::testing::TestParamInfo<TEntradaGuardada> &dado) {
        std::string nome = QStringLiteral("%1_%2_%3")
                               .arg(dado.param.alvo, QFileInfo(dado.param.arquivo).fileName())
                               .arg(dado.index)
                               .toStdString();
        for (char &c : nome) {
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        }
        return nome;
    });

// The documents of the samples go through the document reader and its round trip too.
TEST(RegressoesFuzzAmostras, DocumentsReadWriteAndReadBackAlike)
{
    QTemporaryDir pasta;
    const QStringList amostras
        = QDir(QStringLiteral(PASTA_AMOSTRAS)).entryList({QStringLiteral("*.kvt")});
    ASSERT_FALSE(amostras.isEmpty());
    for (const QString &amostra : amostras) {
        const QString documento = pasta.filePath(QFileInfo(amostra).completeBaseName());
        ASSERT_TRUE(DescompactarArquivo(
            TextoParaVersao(VERSAO_ARQUIVO_COTACAO), QStringLiteral(PASTA_AMOSTRAS), documento));
        EXPECT_EQ(FuzzDocumento(LerArquivo(documento)).toStdString(), "") << amostra.toStdString();
    }
}

} // namespace
