#pragma once

#include <QByteArray>
#include <QString>

// The entry points that the fuzz targets drive and that the regression test replays: each
// takes one input as raw bytes, runs it through the program's own routine and answers the
// empty text, or a description of what went wrong when the routine broke one of its
// promises. Refusals of a bad input (the program's own errors) are not faults; a crash, a
// leak or an error of another kind is.

// The container reader: the bytes are the whole .kvt file.
QString FuzzContainer(const QByteArray &entrada);
// The document reader of the open road: the bytes are the inflated XML document.
QString FuzzDocumento(const QByteArray &entrada);
// The hex codec: each byte is one character of the hexadecimal text.
QString FuzzHexa(const QByteArray &entrada);
// The picture formatter: eight bytes of a double, then the picture in UTF-8.
QString FuzzFormatFloat(const QByteArray &entrada);
// The date-time parser: the text in UTF-8.
QString FuzzDataHora(const QByteArray &entrada);
// The spreadsheet reader: the first byte picks the format (.xlsx, .ods, .csv, by its value
// modulo 3), the rest is the file.
QString FuzzPlanilha(const QByteArray &entrada);

// The entry point of a target by its name ("container", "documento", "hexa", "formatfloat",
// "datahora", "planilha"); nullptr for any other name.
using TEntradaFuzz = QString (*)(const QByteArray &);
TEntradaFuzz EntradaFuzz(const QString &alvo);
