#pragma once

#include <QString>
#include <QStringList>

// JSON written as text, for the tools that print what the program read. Unlike QJsonObject,
// an object keeps its keys in the order they were added.

// The text quoted and escaped.
QString TextoJson(const QString &texto);
// The shortest text that reads back as the same double; null for a NaN or an infinity,
// which JSON cannot carry.
QString RealJson(double valor);
// An array of values already written as JSON.
QString ListaJson(const QStringList &valores);

class TObjetoJson
{
public:
    TObjetoJson &Inteiro(const QString &nome, qint64 valor);
    TObjetoJson &Real(const QString &nome, double valor);
    TObjetoJson &Logico(const QString &nome, bool valor);
    TObjetoJson &Texto(const QString &nome, const QString &valor);
    TObjetoJson &Nulo(const QString &nome);
    // A value already written as JSON: an array, an object.
    TObjetoJson &Json(const QString &nome, const QString &json);

    QString Escrito() const;

private:
    QStringList m_membros;
};
