#include "common/uJson.h"

#include <QLocale>

#include <cmath>

QString TextoJson(const QString &texto)
{
    QString json;
    json.reserve(texto.size() + 2);
    json += QLatin1Char('"');
    for (const QChar c : texto) {
        switch (c.unicode()) {
        case u'"':
            json += QLatin1String("\\\"");
            break;
        case u'\\':
            json += QLatin1String("\\\\");
            break;
        case u'\n':
            json += QLatin1String("\\n");
            break;
        case u'\r':
            json += QLatin1String("\\r");
            break;
        case u'\t':
            json += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                json += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                json += c;
        }
    }
    json += QLatin1Char('"');
    return json;
}

QString RealJson(double valor)
{
    if (!std::isfinite(valor))
        return QStringLiteral("null");
    return QString::number(valor, 'g', QLocale::FloatingPointShortest);
}

QString ListaJson(const QStringList &valores)
{
    return QLatin1Char('[') + valores.join(QLatin1Char(',')) + QLatin1Char(']');
}

TObjetoJson &TObjetoJson::Json(const QString &nome, const QString &json)
{
    m_membros.append(TextoJson(nome) + QLatin1Char(':') + json);
    return *this;
}

TObjetoJson &TObjetoJson::Inteiro(const QString &nome, qint64 valor)
{
    return Json(nome, QString::number(valor));
}

TObjetoJson &TObjetoJson::Real(const QString &nome, double valor)
{
    return Json(nome, RealJson(valor));
}

TObjetoJson &TObjetoJson::Logico(const QString &nome, bool valor)
{
    return Json(nome, valor ? QStringLiteral("true") : QStringLiteral("false"));
}

TObjetoJson &TObjetoJson::Texto(const QString &nome, const QString &valor)
{
    return Json(nome, TextoJson(valor));
}

TObjetoJson &TObjetoJson::Nulo(const QString &nome)
{
    return Json(nome, QStringLiteral("null"));
}

QString TObjetoJson::Escrito() const
{
    return QLatin1Char('{') + m_membros.join(QLatin1Char(',')) + QLatin1Char('}');
}
