#pragma once

#include <QString>

#include <ostream>

// Lets GoogleTest show a QString as its text in failure messages instead of raw bytes.
inline void PrintTo(const QString &texto, std::ostream *saida)
{
    *saida << '"' << texto.toStdString() << '"';
}
