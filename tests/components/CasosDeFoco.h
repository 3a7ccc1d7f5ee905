#pragma once

#include <QCoreApplication>
#include <QFocusEvent>
#include <QTest>
#include <QWidget>

// The focus rule every text control keeps: a pop-up menu or another window only borrows the
// focus, any other leaving is a real one. Columns: the reason (int) and whether it only borrows.
inline void CasosDeFoco()
{
    QTest::addColumn<int>("motivo");
    QTest::addColumn<bool>("emprestado");
    QTest::newRow("pop-up menu") << int(Qt::PopupFocusReason) << true;
    QTest::newRow("another window") << int(Qt::ActiveWindowFocusReason) << true;
    QTest::newRow("Tab") << int(Qt::TabFocusReason) << false;
    QTest::newRow("click") << int(Qt::MouseFocusReason) << false;
    QTest::newRow("by code") << int(Qt::OtherFocusReason) << false;
}

// The control loses the focus for a reason and gets it back for the same reason.
inline void SairEVoltar(QWidget *controle, Qt::FocusReason motivo)
{
    QFocusEvent saida(QEvent::FocusOut, motivo);
    QCoreApplication::sendEvent(controle, &saida);
    QFocusEvent entrada(QEvent::FocusIn, motivo);
    QCoreApplication::sendEvent(controle, &entrada);
}
