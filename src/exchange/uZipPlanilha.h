#pragma once

// The guard in front of the spreadsheet library for the zipped formats (.xlsx, .ods): before a
// single part is handed over, the archive's directory is walked and every part is inflated
// into nothing, counting, so that a damaged archive or one that would inflate beyond the limit
// (a "ZIP bomb", whatever sizes its directory declares) is refused in bounded time and memory.

#include <QByteArray>
#include <QStringList>

// What the parts may inflate to, together. A sheet of the largest quotation takes a tenth.
constexpr qint64 LimiteDescompactadoPlanilha = qint64(128) * 1024 * 1024;

// Answers the names of the archive's parts. Raises EVrtException with the reason when the
// archive is damaged, holds too many parts or inflates beyond the limit.
QStringList VerificarZipPlanilha(
    const QByteArray &arquivo, qint64 limite = LimiteDescompactadoPlanilha);
