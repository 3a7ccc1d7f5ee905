#pragma once

// The quotation's items seen whole, whatever lot or quota the item grid shows: a spreadsheet
// takes all of them out and may bring answers back for any of them.

#include "components/MemTable.h"

#include <functional>

// Reads every item row, first to last, in the table's order (lot by lot for a tender judged
// per lot); while leitura runs the item fields read that row. The filter is lifted for the walk
// and the current item is the same afterwards; controls are held off meanwhile. A pending edit
// must have been posted before.
void LerTodosOsItens(TMemoryTable &mmItens, const std::function<void()> &leitura);
