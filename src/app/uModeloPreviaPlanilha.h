#pragma once

// The two lists of the spreadsheet preview as table models: the changes a sheet brings (item,
// old and new price, maximum price, brand, observation) and its problem lines (row, problem).
// They read the conference they are given; nothing is kept in the views.

#include "app/uConferenciaPlanilha.h"

#include <QAbstractTableModel>

class TModeloAlteracoesPlanilha : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum TColuna { Item, Preco, Maximo, Marca, Observacao, QuantidadeColunas };

    TModeloAlteracoesPlanilha(const std::vector<TAlteracaoItem> &alteracoes, QObject *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const std::vector<TAlteracaoItem> &m_alteracoes;
};

class TModeloProblemasPlanilha : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum TColuna { Linha, Problema, QuantidadeColunas };

    TModeloProblemasPlanilha(const std::vector<TProblemaPlanilha> &problemas, QObject *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const std::vector<TProblemaPlanilha> &m_problemas;
};
