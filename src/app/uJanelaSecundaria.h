#pragma once

#include "components/uAncoras.h"

#include <QDialog>
#include <QSize>

// The frame of the secondary windows that the main window opens modally: one panel filling a
// dialog whose controls are laid out by pixel in a given client area, which the user may enlarge
// but not shrink below it; centred on the screen, in the program's small sans font. No button
// of theirs cancels, so Escape never closes them; the title bar does.
class TJanelaSecundaria : public QDialog
{
    Q_OBJECT

public:
    TJanelaSecundaria(
        const QString &nomePainel, QSize cliente, Qt::WindowFlags botoes, QWidget *parent);

protected:
    QWidget *Painel() const { return m_painel; }
    // Anchors a control of the panel by its present geometry.
    void Ancorar(QWidget &controle, TAnchors ancoras) { m_ancoragem->Ancorar(controle, ancoras); }

    void showEvent(QShowEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;

private:
    QWidget *m_painel;
    TAncoragem *m_ancoragem;
};
