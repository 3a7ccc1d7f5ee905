#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Small file helpers for tests that look at what an operation left on disk.
QByteArray LerArquivo(const QString &caminho);
void GravarArquivo(const QString &caminho, const QByteArray &conteudo);
// Every file under a folder, relative to it, sorted.
QStringList ArquivosEm(const QString &pasta);
