#include "exchange/uPlanilhaLida.h"

#include <QRegularExpression>

#include <cmath>

const TCelulaPlanilha &TLinhaPlanilha::Celula(int coluna) const
{
    static const TCelulaPlanilha vazia;
    if (coluna < 0 || std::size_t(coluna) >= Celulas.size())
        return vazia;
    return Celulas[std::size_t(coluna)];
}

TCelulaPlanilha CelulaDeTexto(const QString &texto)
{
    TCelulaPlanilha celula;
    celula.Tipo = TTipoCelula::Texto;
    celula.Cortada = texto.size() > LimiteTextoCelula;
    celula.Texto = celula.Cortada ? texto.left(LimiteTextoCelula) : texto;
    return celula;
}

std::optional<double> NumeroBrasileiro(const QString &texto)
{
    static const QRegularExpression numero(
        QStringLiteral("^(-?)(\\d{1,3}(?:\\.\\d{3})+|\\d+)(?:,(\\d+))?$"));
    const QRegularExpressionMatch partes = numero.match(texto.trimmed());
    if (!partes.hasMatch())
        return std::nullopt;
    QString escrito = partes.captured(2).remove(QLatin1Char('.'));
    if (partes.hasCaptured(3))
        escrito += QLatin1Char('.') + partes.captured(3);
    bool ok = false;
    const double valor = escrito.toDouble(&ok);
    if (!ok || !std::isfinite(valor))
        return std::nullopt;
    return partes.captured(1).isEmpty() ? valor : -valor;
}
