#include "components/vrtDBEdit.h"

#include "components/uExecucaoProtegida.h"
#include "components/vrtDBGrid.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>

bool TrataEnter(QWidget *pai, QWidget *controle)
{
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    if (auto *grade = qobject_cast<TvrtDBGrid *>(pai)) {
        QCoreApplication::sendEvent(grade, &tab);
        grade->setFocus(Qt::TabFocusReason);
    } else {
        // The control's own Tab handling hands the focus to the next control of its window.
        QCoreApplication::sendEvent(controle, &tab);
    }
    return true;
}

TVrtDBEdit::TVrtDBEdit(QWidget *parent)
    : TDBEdit(parent)
{ }

bool TVrtDBEdit::PermiteAlteracao()
{
    bool permite = false;
    ExecutarProtegido([&] { permite = m_permissao.PermiteAlteracao(this); });
    return permite;
}

QChar TVrtDBEdit::FiltrarCaractere(QChar caractere)
{
    if (caractere == QChar(13)) {
        TrataEnter(parentWidget(), this);
        return {};
    }
    return PermiteAlteracao() ? caractere : QChar();
}

bool TVrtDBEdit::PermiteAlterar()
{
    return PermiteAlteracao();
}

void TVrtDBEdit::Colar()
{
    if (PermiteAlteracao())
        TDBEdit::Colar();
}

bool TVrtDBEdit::event(QEvent *event)
{
    return m_permissao.TratarEvento(event) || TDBEdit::event(event);
}

void TVrtDBEdit::focusInEvent(QFocusEvent *event)
{
    m_permissao.AoReceberFoco(event->reason());
    TDBEdit::focusInEvent(event);
}
