#pragma once

#include <QDialog>
#include <QSize>

// The frame of the secondary windows that the main window opens modally: a dialog laid out by
// pixel in a given client area, which the user may enlarge but not shrink below it, centred on
// the screen, in the program's small sans font. No button of theirs cancels, so Escape never
// closes them; the title bar does.
class TJanelaSecundaria : public QDialog
{
    Q_OBJECT

public:
    TJanelaSecundaria(QSize cliente, Qt::WindowFlags botoes, QWidget *parent);

protected:
    void showEvent(QShowEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;
};
