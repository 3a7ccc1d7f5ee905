#pragma once

// The toolkit's standard context menu of a text control names its actions ("edit-undo",
// "edit-redo", "edit-cut", "edit-paste", "edit-delete"); a data control sends them down its own
// road, so that a change from the menu is asked and puts the row into edit as a key would.

#include <functional>

class QMenu;
class QObject;

// The action named nome runs acao (in contexto) instead of its own change; a menu without
// that action is left as it is.
void Reencaminhar(
    QMenu &menu, const char *nome, QObject *contexto, const std::function<void()> &acao);
