#pragma once

#include <QDialog>

class QMenuBar;
class QMessageBox;
class QTextBrowser;

// The guide bundled with the program, in a window of its own beside the main window, which
// stays usable while the guide is read.
class TfmComoUsar : public QDialog
{
    Q_OBJECT

public:
    explicit TfmComoUsar(QWidget *parent);

private:
    QTextBrowser *txtComoUsar;
};

// Adds the "Ajuda" menu at the end of the menu bar: "Como usar" (F1) and "Sobre o
// Varenta-Cotação", whose windows belong to the given window.
void CriarMenuAjuda(QMenuBar &barra, QWidget &janela);

// Shows the guide, or brings forward the one already shown.
TfmComoUsar *MostrarComoUsar(QWidget &janela);
// Shows the program's name and version; the window closes itself when answered.
QMessageBox *MostrarSobre(QWidget &janela);
