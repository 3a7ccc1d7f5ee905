#include "exchange/uColunasPlanilha.h"

#include "common/uFuncoesLicitacao.h"

namespace {

// Lower case, without accents, one space between words.
QString TituloDobrado(const QString &titulo)
{
    return DobrarTexto(titulo).simplified();
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
            lista.append(TituloDobrado(t));
        return lista;
    }();
    const int indice = normalizados.indexOf(TituloDobrado(titulo));
    if (indice < 0)
        return std::nullopt;
    return TColunaPlanilha(indice);
}
