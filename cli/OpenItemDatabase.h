#pragma once

#include <QString>

#include "store/ItemDatabase.h"

namespace cli {

// Connects the item database file (an existing one only).
void connectItemDatabase(store::ItemDatabase& database, const QString& path,
                         store::Access access = store::Access::ReadWrite);
// Connects the item database file and opens the item query, as the window's
// open command does.
void openItemDatabase(store::ItemDatabase& database, const QString& path,
                      store::Access access = store::Access::ReadWrite);

}  // namespace cli
