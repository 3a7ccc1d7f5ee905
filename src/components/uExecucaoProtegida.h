#pragma once

#include <functional>

// Runs one step that the user started (a keystroke, a click, leaving a control) and that a
// dataset handler may refuse. A silent abort ends it without a word; any other error of the
// program is shown on the message screen. Either way the control that started the step stays
// where it was: the answer is false. Controls call this instead of letting an error climb into
// the toolkit's event delivery, which does not expect it.
bool ExecutarProtegido(const std::function<void()> &passo);
