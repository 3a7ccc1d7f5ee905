#pragma once

// Reads the first sheet of a spreadsheet the supplier filled (.xlsx, .ods or .csv) through
// the spreadsheet import library, behind guards that keep a hostile file within seconds and
// bounded memory: the file's size, the archive's inflated size (uZipPlanilha), the rows, the
// columns kept and the text kept per cell. Numbers, texts, booleans and dates keep their kind;
// a formula cell counts by the value its program last computed.

#include "exchange/uPlanilhaLida.h"

#include <QByteArray>
#include <QString>

#include <optional>

enum class TFormatoPlanilha { Xlsx, Ods, Csv };

// The format a file name's extension names, ignoring case; none for another extension.
std::optional<TFormatoPlanilha> FormatoPlanilha(const QString &arquivo);

constexpr qint64 LimiteArquivoPlanilha = qint64(64) * 1024 * 1024;
// Rows beyond this refuse the sheet; columns beyond the other are not read.
constexpr int LimiteLinhasPlanilha = 100000;
constexpr int LimiteColunasPlanilha = 64;

// Raises EVrtException with a Portuguese reason when the file cannot be read, is of another
// kind, is damaged or breaks a limit.
TPlanilhaLida LerPlanilha(const QString &arquivo);
TPlanilhaLida LerPlanilha(const QByteArray &bytes, TFormatoPlanilha formato);
