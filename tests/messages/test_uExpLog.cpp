#include "messages/uExpLog.h"
#include "support/ArquivosTeste.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The log is one object for the process; each test starts and leaves it clean.
class ProgressLog : public ::testing::Test
{
protected:
    void SetUp() override { ObterLogManager().Limpar(); }
    void TearDown() override
    {
        TImpExpLogManager &log = ObterLogManager();
        log.Limpar();
        log.SalvarAutomaticamente = false;
        log.ArquivoLog.clear();
    }
};

} // namespace

TEST_F(ProgressLog, IsOneObjectForTheProcess)
{
    EXPECT_EQ(&ObterLogManager(), &ObterLogManager());
}

TEST_F(ProgressLog, KeepsLinesInOrderWithTheErrorPrefix)
{
    TImpExpLogManager &log = ObterLogManager();
    log.AdicionarMensagem(QStringLiteral("Abrindo"));
    log.AdicionarErro(QStringLiteral("Arquivo inválido."));
    log.AdicionarMensagem(QStringLiteral("Abrindo"));

    EXPECT_EQ(log.Linhas(),
        QStringList({QStringLiteral("Abrindo"), QStringLiteral("[Erro] Arquivo inválido."),
            QStringLiteral("Abrindo")}));

    log.Limpar();
    EXPECT_TRUE(log.Linhas().isEmpty());
    log.AdicionarMensagem(QStringLiteral("de novo"));
    EXPECT_EQ(log.Linhas(), QStringList {QStringLiteral("de novo")});
}

TEST_F(ProgressLog, SavesAutomaticallyOnlyWithBothSettings)
{
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("log.txt"));
    TImpExpLogManager &log = ObterLogManager();

    log.SalvarAutomaticamente = true;
    log.AdicionarMensagem(QStringLiteral("sem arquivo"));
    EXPECT_FALSE(QFile::exists(arquivo));

    log.SalvarAutomaticamente = false;
    log.ArquivoLog = arquivo;
    log.AdicionarMensagem(QStringLiteral("sem ligar"));
    EXPECT_FALSE(QFile::exists(arquivo));

    log.SalvarAutomaticamente = true;
    log.AdicionarErro(QStringLiteral("ção"));
    EXPECT_EQ(LerArquivo(arquivo), QByteArray("sem arquivo\r\nsem ligar\r\n[Erro] ção\r\n"));
}
