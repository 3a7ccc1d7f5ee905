#pragma once

// Spreadsheets made on the spot for tests: a ZIP archive from its parts (to build hostile
// .xlsx files the writer would never make), a minimal .xlsx around one sheet, and a part read
// back from an archive.

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

struct TParteZip
{
    QString nome;
    QByteArray dados;
    // What the directory declares the part inflates to; -1 for its real size.
    qint64 tamanhoDeclarado = -1;
};

QByteArray ZipTeste(const std::vector<TParteZip> &partes);

// An .xlsx whose first sheet is the given <sheetData> content; its shared text 0 is texto.
QByteArray XlsxTeste(
    const QByteArray &dadosDaFolha, qint64 tamanhoDeclarado = -1, const QByteArray &texto = {});

// The inflated bytes of one part of an archive; empty when it has no such part.
QByteArray ParteDoZip(const QByteArray &zip, const QString &nome);
