#include "app/uDigitacaoPendente.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPointer>

bool ConfirmarDigitacao(QWidget &janela)
{
    QWidget *foco = QApplication::focusWidget();
    if (!foco || !janela.isAncestorOf(foco))
        return true;
    // A grid's cell editor closes when it is left: the focus returns to its grid.
    QPointer<QWidget> volta = foco;
    for (QWidget *controle = foco; controle && controle != &janela;
         controle = controle->parentWidget()) {
        if (qobject_cast<QAbstractItemView *>(controle))
            volta = controle;
    }
    janela.setFocus(Qt::OtherFocusReason);
    const QWidget *depois = QApplication::focusWidget();
    if (depois != &janela && depois)
        return false;
    if (volta)
        volta->setFocus(Qt::OtherFocusReason);
    return true;
}
