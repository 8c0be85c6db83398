#pragma once

#include <QString>

namespace store {

class ItemDatabase;

// Deletes every item record, then requeries (or opens) the item query.
void clearAll(ItemDatabase& database);
// Keeps the record with the lowest ID of every group of equal item names,
// through the temporary table BabyDataID, then requeries (or opens) the item query.
void removeDuplicates(ItemDatabase& database);

}  // namespace store
