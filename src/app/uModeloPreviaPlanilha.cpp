#include "app/uModeloPreviaPlanilha.h"

#include "common/uFormatFloat.h"
#include "exchange/uColunasPlanilha.h"

#include <QBrush>
#include <QColor>

namespace {

QString Preco(double valor)
{
    return FormatFloat(QStringLiteral("#,##0.00000"), valor);
}

} // namespace

TModeloAlteracoesPlanilha::TModeloAlteracoesPlanilha(
    const std::vector<TAlteracaoItem> &alteracoes, QObject *parent)
    : QAbstractTableModel(parent)
    , m_alteracoes(alteracoes)
{ }

int TModeloAlteracoesPlanilha::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_alteracoes.size());
}

int TModeloAlteracoesPlanilha::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : QuantidadeColunas;
}

QVariant TModeloAlteracoesPlanilha::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TAlteracaoItem &alteracao = m_alteracoes[std::size_t(index.row())];
    if (role == Qt::ForegroundRole && index.column() == Preco && alteracao.AcimaDoMaximo())
        return QBrush(QColor(0xB0, 0, 0));
    if (role == Qt::TextAlignmentRole && (index.column() == Preco || index.column() == Maximo))
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Item:
        return alteracao.Nome();
    case Preco:
        // The price the row leaves as it was shows empty.
        return alteracao.Preco ? QStringLiteral("%1 → %2").arg(
                   ::Preco(alteracao.PrecoAnterior), ::Preco(*alteracao.Preco))
                               : QString();
    case Maximo:
        return alteracao.ValorMaximo > 0
            ? FormatFloat(QStringLiteral("#,##0.00"), alteracao.ValorMaximo)
            : QString();
    case Marca:
        return alteracao.Marca.value_or(QString());
    case Observacao:
        return alteracao.Observacao.value_or(QString());
    default:
        return {};
    }
}

QVariant TModeloAlteracoesPlanilha::headerData(
    int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Item:
        return TituloColunaPlanilha(TColunaPlanilha::Item);
    case Preco:
        return TituloColunaPlanilha(TColunaPlanilha::ValorCotado);
    case Maximo:
        return TituloColunaPlanilha(TColunaPlanilha::ValorMaximo);
    case Marca:
        return TituloColunaPlanilha(TColunaPlanilha::Marca);
    case Observacao:
        return TituloColunaPlanilha(TColunaPlanilha::Observacao);
    default:
        return {};
    }
}

TModeloProblemasPlanilha::TModeloProblemasPlanilha(
    const std::vector<TProblemaPlanilha> &problemas, QObject *parent)
    : QAbstractTableModel(parent)
    , m_problemas(problemas)
{ }

int TModeloProblemasPlanilha::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_problemas.size());
}

int TModeloProblemasPlanilha::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : QuantidadeColunas;
}

QVariant TModeloProblemasPlanilha::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole)
        return {};
    const TProblemaPlanilha &problema = m_problemas[std::size_t(index.row())];
    return index.column() == Linha ? QVariant(problema.Linha) : QVariant(problema.Texto);
}

QVariant TModeloProblemasPlanilha::headerData(
    int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == Linha ? QStringLiteral("Linha") : QStringLiteral("Problema");
}
