#include "common/uConfiguracaoRegional.h"

const TFormatSettings &FormatoBrasileiro()
{
    static const TFormatSettings formato {QLatin1Char(','), QLatin1Char('.'),
        QStringLiteral("dd/MM/yyyy"), QStringLiteral("HH:mm:ss")};
    return formato;
}
