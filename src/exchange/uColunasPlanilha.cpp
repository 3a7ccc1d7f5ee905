#include "exchange/uColunasPlanilha.h"

#include <QChar>

namespace {

// Lower case, without accents, one space between words.
QString Normalizado(const QString &titulo)
{
    QString semAcentos;
    const QString decomposto = titulo.normalized(QString::NormalizationForm_D);
    semAcentos.reserve(decomposto.size());
    for (const QChar c : decomposto) {
        if (c.category() != QChar::Mark_NonSpacing)
            semAcentos.append(c.toLower());
    }
    return semAcentos.simplified();
}

} // namespace

const QStringList &TitulosColunasPlanilha()
{
    static const QStringList titulos {
        QStringLiteral("Lote"),
        QStringLiteral("Item"),
        QStringLiteral("Tratamento"),
        QStringLiteral("Material/Serviço"),
        QStringLiteral("Quantidade"),
        QStringLiteral("Valor máximo (R$)"),
        QStringLiteral("Valor unitário cotado (R$)"),
        QStringLiteral("Marca"),
        QStringLiteral("Observação"),
    };
    return titulos;
}

QString TituloColunaPlanilha(TColunaPlanilha coluna)
{
    return TitulosColunasPlanilha().at(int(coluna));
}

std::optional<TColunaPlanilha> ColunaPeloTitulo(const QString &titulo)
{
    static const QStringList normalizados = [] {
        QStringList lista;
        for (const QString &t : TitulosColunasPlanilha())
            lista.append(Normalizado(t));
        return lista;
    }();
    const int indice = normalizados.indexOf(Normalizado(titulo));
    if (indice < 0)
        return std::nullopt;
    return TColunaPlanilha(indice);
}

bool ColunaDeResposta(TColunaPlanilha coluna)
{
    return coluna == TColunaPlanilha::ValorCotado || coluna == TColunaPlanilha::Marca
        || coluna == TColunaPlanilha::Observacao;
}
