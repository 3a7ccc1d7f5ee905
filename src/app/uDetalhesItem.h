#pragma once

// The panel below the item grid that shows the current item whole: its description with the
// material's and the item's summaries, which the grid's column cuts, its quantities, maximum
// price and treatment. Read-only; its text can be selected and copied.

#include <QGroupBox>

class QTextBrowser;
class TDataSource;
class TRegrasCotacao;

class TPainelDetalhesItem : public QGroupBox
{
    Q_OBJECT

public:
    TPainelDetalhesItem(TRegrasCotacao &regras, TDataSource *dsItens, QWidget *parent = nullptr);

    // The text shown, as plain text.
    QString Texto() const;

private:
    void Mostrar();

    TRegrasCotacao &m_regras;
    QTextBrowser *m_texto;
};
