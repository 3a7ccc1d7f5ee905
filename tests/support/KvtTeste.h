#pragma once

// Runs the kvt tool as its users run it; include only from a target that defines
// KVT_EXECUTAVEL (varenta_kvt_test).

#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

struct ResultadoKvt
{
    int status;
    QString saida;
    QStringList erro; // the lines of standard error
};

// kvt's temporary location is pastaTemporaria, so that what it leaves there shows.
inline ResultadoKvt ExecutarKvt(const QStringList &argumentos, const QString &pastaTemporaria)
{
    QProcess kvt;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("TMPDIR"), pastaTemporaria);
    kvt.setProcessEnvironment(ambiente);
    kvt.start(QStringLiteral(KVT_EXECUTAVEL), argumentos);
    EXPECT_TRUE(kvt.waitForFinished(120000));
    return {kvt.exitCode(), QString::fromUtf8(kvt.readAllStandardOutput()),
        QString::fromUtf8(kvt.readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)};
}
