#pragma once

#include <Qt>

// A pop-up menu or another window taking the focus is no leaving of a control: it gets the
// focus back as it was, so nothing is written or checked on the way out, and coming back is no
// new entry (a change allowed before is not asked again). Every text control keeps this rule.
inline bool FocoApenasEmprestado(Qt::FocusReason motivo)
{
    return motivo == Qt::PopupFocusReason || motivo == Qt::ActiveWindowFocusReason;
}
