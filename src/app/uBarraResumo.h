#pragma once

// The status bar's account of the proposal: how many items have a price, how many are above
// their maximum, and the proposal's total.

#include <QStatusBar>

class QLabel;
struct TResumoProposta;

class TBarraResumo : public QStatusBar
{
    Q_OBJECT

public:
    explicit TBarraResumo(QWidget *parent = nullptr);

    // totalFormatado: the proposal's total in its display picture.
    void Mostrar(const TResumoProposta &resumo, const QString &totalFormatado);
    void Limpar();

private:
    QLabel *m_cotados;
    QLabel *m_acima;
    QLabel *m_total;
};
