#include "components/uModeloTabela.h"

#include <algorithm>

namespace {

// The row indicator: the cursor's row, marked by the table's state.
QString Indicador(TDataSetState estado)
{
    switch (estado) {
    case dsEdit:
        return QStringLiteral("I");
    case dsInsert:
        return QStringLiteral("*");
    case dsBrowse:
    case dsInactive:
        break;
    }
    return QStringLiteral("\u25B6");
}

} // namespace

TModeloTabela::TModeloTabela(QObject *parent)
    : QAbstractTableModel(parent)
{ }

void TModeloTabela::SetDataSource(TDataSource *fonte)
{
    if (m_fonte == fonte)
        return;
    if (m_fonte)
        disconnect(m_fonte, nullptr, this, nullptr);
    m_fonte = fonte;
    if (m_fonte) {
        connect(m_fonte, &TDataSource::activeChanged, this, &TModeloTabela::Recarregar);
        connect(m_fonte, &TDataSource::dataSetChanged, this, &TModeloTabela::Recarregar);
        connect(m_fonte, &TDataSource::layoutChanged, this, &TModeloTabela::Recarregar);
        connect(m_fonte, &TDataSource::dataSetScrolled, this, &TModeloTabela::AoRolar);
        connect(m_fonte, &TDataSource::recordChanged, this, &TModeloTabela::AoMudarRegistro);
        connect(m_fonte, &TDataSource::stateChanged, this, &TModeloTabela::AoMudarEstado);
        connect(m_fonte, &QObject::destroyed, this, &TModeloTabela::Recarregar);
    }
    Recarregar();
}

TMemoryTable *TModeloTabela::DataSet() const
{
    TMemoryTable *tabela = m_fonte ? m_fonte->DataSet() : nullptr;
    return tabela && tabela->Active() ? tabela : nullptr;
}

TField *TModeloTabela::Campo(int coluna) const
{
    return coluna >= 0 && coluna < int(m_campos.size()) ? m_campos[size_t(coluna)] : nullptr;
}

int TModeloTabela::ColunaDoCampo(const TField *campo) const
{
    const auto it = std::find(m_campos.begin(), m_campos.end(), campo);
    return it == m_campos.end() ? -1 : int(it - m_campos.begin());
}

int TModeloTabela::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_linhas;
}

int TModeloTabela::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_campos.size());
}

QVariant TModeloTabela::data(const QModelIndex &index, int role) const
{
    TField *campo = Campo(index.column());
    const TMemoryTable *tabela = DataSet();
    if (!campo || !tabela || index.row() < 0 || index.row() >= m_linhas)
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(campo->Alignment() | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != TextoEdicaoRole
        && role != TextoRole)
        return {};
    QVariant valor;
    tabela->NaLinha(index.row(), [&] {
        switch (role) {
        case Qt::DisplayRole:
            valor = campo->DisplayText();
            break;
        case Qt::EditRole:
            valor = campo->Value();
            break;
        case TextoEdicaoRole:
            valor = campo->Text();
            break;
        default:
            valor = campo->AsString();
            break;
        }
    });
    return valor;
}

QVariant TModeloTabela::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role != Qt::DisplayRole || section < 0 || section >= m_linhas)
            return {};
        return section == m_linhaAtual && m_fonte ? Indicador(m_fonte->State()) : QString();
    }
    const TField *campo = Campo(section);
    if (!campo)
        return {};
    if (role == Qt::DisplayRole)
        return campo->DisplayLabel();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags TModeloTabela::flags(const QModelIndex &index) const
{
    const TField *campo = Campo(index.column());
    if (!campo || index.row() < 0 || index.row() >= m_linhas)
        return Qt::NoItemFlags;
    Qt::ItemFlags resultado = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // Calculated and blob fields are not edited in a cell.
    if (campo->FieldKind() == fkData && !campo->ReadOnly() && !campo->IsBlob())
        resultado |= Qt::ItemIsEditable;
    return resultado;
}

void TModeloTabela::Recarregar()
{
    beginResetModel();
    m_campos.clear();
    m_linhas = 0;
    if (const TMemoryTable *tabela = DataSet()) {
        for (int i = 0; i < tabela->FieldCount(); ++i) {
            TField &campo = tabela->Fields(i);
            if (campo.Visible())
                m_campos.push_back(&campo);
        }
        m_linhas = tabela->LinhasExibidas();
    }
    m_linhaAtual = LinhaDoCursor();
    endResetModel();
    Q_EMIT linhaAtualMudou(m_linhaAtual);
}

int TModeloTabela::LinhaDoCursor() const
{
    const TMemoryTable *tabela = DataSet();
    if (!tabela || m_linhas == 0)
        return -1;
    return std::clamp(tabela->RecNo() - 1, 0, m_linhas - 1);
}

void TModeloTabela::AoRolar()
{
    const TMemoryTable *tabela = DataSet();
    if (!tabela || tabela->LinhasExibidas() != m_linhas) {
        Recarregar();
        return;
    }
    const int anterior = m_linhaAtual;
    m_linhaAtual = LinhaDoCursor();
    if (m_linhaAtual == anterior)
        return;
    MarcarIndicador(anterior);
    MarcarIndicador(m_linhaAtual);
    Q_EMIT linhaAtualMudou(m_linhaAtual);
}

void TModeloTabela::AoMudarRegistro(TField *campo)
{
    if (m_linhaAtual < 0)
        return;
    const int coluna = campo ? ColunaDoCampo(campo) : -1;
    if (campo && coluna < 0)
        return;
    const int primeira = campo ? coluna : 0;
    const int ultima = campo ? coluna : columnCount() - 1;
    if (ultima >= primeira)
        Q_EMIT dataChanged(index(m_linhaAtual, primeira), index(m_linhaAtual, ultima));
}

void TModeloTabela::AoMudarEstado()
{
    // Append and Insert show a new row, Cancel of an insert takes it away.
    const TMemoryTable *tabela = DataSet();
    if (!tabela || tabela->LinhasExibidas() != m_linhas) {
        Recarregar();
        return;
    }
    AoRolar();
    MarcarIndicador(m_linhaAtual);
    AoMudarRegistro(nullptr);
}

void TModeloTabela::MarcarIndicador(int linha)
{
    if (linha >= 0 && linha < m_linhas)
        Q_EMIT headerDataChanged(Qt::Vertical, linha, linha);
}
