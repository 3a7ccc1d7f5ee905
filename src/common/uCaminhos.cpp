#include "common/uCaminhos.h"

QString CaminhoEm(const QString &pasta, const QString &nome)
{
    if (pasta.isEmpty() || pasta.endsWith(QLatin1Char('/')))
        return pasta + nome;
    return pasta + QLatin1Char('/') + nome;
}
