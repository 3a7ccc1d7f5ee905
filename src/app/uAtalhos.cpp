#include "app/uAtalhos.h"

#include <QAction>
#include <QKeySequence>

void DefinirAtalhosArquivo(QAction &abrir, QAction &salvar, QAction &imprimir, QAction &sair)
{
    abrir.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    salvar.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    imprimir.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    sair.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
}
