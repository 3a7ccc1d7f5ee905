#pragma once

// The preview of a spreadsheet's answers before they are written: the changes it brings and
// the rows it cannot take, with "Aplicar" (the changes go in; the rows with problems do not)
// and "Cancelar" (nothing changes).

#include "app/uConferenciaPlanilha.h"

#include <QDialog>

class QAbstractItemModel;
class QLabel;
class QPushButton;
class QTableView;

class TfmPreviaPlanilha : public QDialog
{
    Q_OBJECT

public:
    // origem names the sheet (the file, or the pasted block) in the window's text.
    TfmPreviaPlanilha(
        const TConferenciaPlanilha &conferencia, const QString &origem, QWidget *parent);

    QTableView *Alteracoes() const { return m_alteracoes; }
    QTableView *Problemas() const { return m_problemas; }
    QPushButton *BotaoAplicar() const { return m_aplicar; }
    QPushButton *BotaoCancelar() const { return m_cancelar; }

private:
    QTableView *Lista(QAbstractItemModel *modelo, const QString &nome);

    QTableView *m_alteracoes;
    QTableView *m_problemas;
    QPushButton *m_aplicar;
    QPushButton *m_cancelar;
};
