#pragma once

// The change-permission hook shared by the data edits and the data memo: before the first change
// of a control's text after it receives the focus, its OnBeforeChange handler may refuse.

#include <QEvent>
#include <QObject>
#include <Qt>

#include <functional>

// Asked before a change; setting pCancelaChange true refuses it.
using TvrtBeforeChangeEvent = std::function<void(QObject *sender, bool &pCancelaChange)>;

// The message that pre-approves (non-zero low byte) or revokes the changes of a control, number
// 2028 (the first user message 1024 plus 1004). Nothing in the program sends it; other code may.
class TAlteracaoLiberadaEvent : public QEvent
{
public:
    static constexpr QEvent::Type Tipo = QEvent::Type(2028);

    explicit TAlteracaoLiberadaEvent(quintptr wParam)
        : QEvent(Tipo)
        , WParam(wParam)
    { }

    quintptr WParam;
};

class TPermissaoAlteracao
{
public:
    TvrtBeforeChangeEvent OnBeforeChange;

    bool AlteracaoLiberada() const { return m_liberada; }

    // True when a change may be made now. The handler is asked while no change has been
    // allowed since the control received the focus: at most once per focus while it allows, at
    // every attempt while it refuses.
    bool PermiteAlteracao(QObject *sender);
    // The control received the focus: the next change asks again, unless the focus was only
    // borrowed (see FocoApenasEmprestado).
    void AoReceberFoco(Qt::FocusReason motivo);
    // Handles the pre-approval message; answers whether the event was one.
    bool TratarEvento(QEvent *evento);

private:
    bool m_liberada = false;
};
