#pragma once

class TMemoryTable;

// The supplier's company details outlive the program in the user's settings, so that they are
// typed once: loaded into the supplier table when the main window is made, kept when the
// supplier window saves them, forgotten when it clears them.

// Fills the empty supplier table with the kept details, when there are any.
void CarregarFornecedor(TMemoryTable &mmForneced);
// Keeps the supplier table's record; an empty table forgets them.
void GuardarFornecedor(const TMemoryTable &mmForneced);
