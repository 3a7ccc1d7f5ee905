#pragma once

// The item model through which a grid shows one memory table: one row per row that passes the
// table's filter, one column per visible field in field order. It reads the rows without moving
// the table's cursor, and follows the table through its data source: everything is read again
// when the table opens, closes, is refilled or changes its fields' layout; only the current row
// is repainted when one of its fields changes. Writing goes through the fields themselves, never
// through the model.

#include "components/MemTable.h"

#include <QAbstractTableModel>
#include <QPointer>

#include <vector>

class TModeloTabela : public QAbstractTableModel
{
    Q_OBJECT

public:
    // Besides the display text (DisplayRole) and the raw value (EditRole).
    enum Papel {
        TextoEdicaoRole = Qt::UserRole, // the text an editor starts from (the edit format)
        TextoRole, // the value as a plain string (a memo's content)
    };

    explicit TModeloTabela(QObject *parent = nullptr);

    TDataSource *DataSource() const { return m_fonte; }
    void SetDataSource(TDataSource *fonte);
    // The table, while it is open.
    TMemoryTable *DataSet() const;
    TField *Campo(int coluna) const;
    int ColunaDoCampo(const TField *campo) const;
    // The row of the table's cursor, or -1 when the table is closed or shows no row.
    int LinhaAtual() const { return m_linhaAtual; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

Q_SIGNALS:
    // The table's cursor moved to another row, or everything was read again.
    void linhaAtualMudou(int linha);

private:
    void Recarregar();
    void AoRolar();
    void AoMudarRegistro(TField *campo);
    void AoMudarEstado();
    void MarcarIndicador(int linha);
    int LinhaDoCursor() const;

    QPointer<TDataSource> m_fonte;
    std::vector<TField *> m_campos;
    int m_linhas = 0;
    int m_linhaAtual = -1;
};
