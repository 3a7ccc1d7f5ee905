#include "support/ArquivosTeste.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ResultadoKvt
{
    int status;
    QString saida;
    QString erro;
};

class KvtContainer : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_pasta.isValid()); }

    QString Caminho(const char *nome) const { return m_pasta.filePath(QString::fromUtf8(nome)); }

    ResultadoKvt Kvt(const QStringList &argumentos) const
    {
        QProcess kvt;
        kvt.setWorkingDirectory(m_pasta.path());
        kvt.start(QStringLiteral(KVT_EXECUTAVEL), argumentos);
        EXPECT_TRUE(kvt.waitForFinished(30000));
        return {kvt.exitCode(), QString::fromUtf8(kvt.readAllStandardOutput()),
            QString::fromUtf8(kvt.readAllStandardError())};
    }

    QTemporaryDir m_pasta;
};

struct CasoRecusa
{
    const char *argumentos; // separated by blanks
    int status;
    const char *erro; // the last line of standard error
};

class KvtRefusal
    : public KvtContainer
    , public ::testing::WithParamInterface<CasoRecusa>
{
};

// The last line of the usage text, which wrong usage prints on standard error.
const char *const LinhaDeUso
    = "Saída: 0 sucesso; 1 arquivo recusado ou operação falhou; 2 uso errado.";

QString UltimaLinha(const QString &texto)
{
    return texto.trimmed().split(QLatin1Char('\n')).last();
}

} // namespace

TEST_F(KvtContainer, PackThenUnpackGivesTheDocumentBack)
{
    const QByteArray documento("<dados><cotacao Ano=\"2023\"/></dados>\n");
    GravarArquivo(Caminho("COT-1.234-2023"), documento);

    const ResultadoKvt pack
        = Kvt({QStringLiteral("pack"), QStringLiteral("COT-1.234-2023"), m_pasta.path()});
    EXPECT_EQ(pack.status, 0) << pack.erro.toStdString();
    EXPECT_TRUE(pack.erro.isEmpty()) << pack.erro.toStdString();
    EXPECT_EQ(LerArquivo(Caminho("COT-1.234-2023.kvt")).left(4), QByteArray("\xD2\x02\x96\x49"));

    // only the folder and the base name of FILE count
    const ResultadoKvt unpack = Kvt({QStringLiteral("unpack"), QStringLiteral("COT-1.234-2023.xml"),
        QStringLiteral("saida.xml")});
    EXPECT_EQ(unpack.status, 0) << unpack.erro.toStdString();
    EXPECT_EQ(LerArquivo(Caminho("saida.xml")), documento);
}

TEST_P(KvtRefusal, ExitsWithItsStatusAndSaysWhy)
{
    GravarArquivo(Caminho("ruim.kvt"), "not a container at all");

    const ResultadoKvt resultado
        = Kvt(QString::fromUtf8(GetParam().argumentos).split(QLatin1Char(' ')));

    EXPECT_EQ(resultado.status, GetParam().status) << resultado.erro.toStdString();
    EXPECT_EQ(UltimaLinha(resultado.erro), QString::fromUtf8(GetParam().erro).arg(m_pasta.path()));
    EXPECT_FALSE(QFile::exists(Caminho("saida.xml")));
}

INSTANTIATE_TEST_SUITE_P(Cases, KvtRefusal,
    ::testing::Values(
        CasoRecusa {"unpack falta.kvt saida.xml", 1, "erro: O arquivo %1/falta.kvt não existe."},
        CasoRecusa {"unpack ruim.kvt saida.xml", 1, "erro: Arquivo %1/ruim.kvt inválido."},
        CasoRecusa {"pack falta .", 1, "erro: O arquivo %1/falta não existe."},
        CasoRecusa {"pack ruim.kvt nada", 1, "erro: A pasta %1/nada não existe."},
        CasoRecusa {"pack ruim.kvt", 2, LinhaDeUso}, CasoRecusa {"unpack a b c", 2, LinhaDeUso}));
