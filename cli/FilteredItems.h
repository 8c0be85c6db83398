#pragma once

#include "store/ItemDatabase.h"

namespace cli {

class CommandLine;

// Takes the decimal separator of --decimal-separator C for the rest of the
// run; without the option the system's stays.
void applyDecimalSeparator(const CommandLine& line);

// Opens the item query of DB (the first argument), filtered by the engine's
// filter text of --where TEXT or by the grid's filter cells of the
// --filter COLUMN=TEXT options; the two kinds together are refused.
void openFilteredItems(store::ItemDatabase& database, const CommandLine& line,
                       store::Access access = store::Access::ReadWrite);

}  // namespace cli
