#pragma once

#include <cstdint>
#include <vector>

#include <QString>
#include <QVariant>

namespace store {

class ItemDatabase;

// Deletes every item record, then requeries (or opens) the item query.
void clearAll(ItemDatabase& database);
// Keeps the record with the lowest ID of every group of equal item names,
// through the temporary table BabyDataID, then requeries (or opens) the item query.
void removeDuplicates(ItemDatabase& database);

// A group of records with equal item names, as removeDuplicates judges them.
struct DuplicateGroup {
    QVariant name;  // null for the group of records without a name
    std::int64_t keptId = 0;
    std::int64_t deletedCount = 0;
    std::vector<std::int64_t> deletedIds;  // the lowest ones, ascending
};

// What removeDuplicates would do to the table as it is now.
struct DuplicatesPreview {
    std::int64_t groupCount = 0;  // groups of more than one record
    std::int64_t deletedCount = 0;
    std::int64_t keptCount = 0;
    std::vector<DuplicateGroup> samples;  // the groups whose kept IDs are lowest, by kept ID
};

// Judges the groups as removeDuplicates does, inside one read transaction,
// and changes nothing. Keeps up to `sampleCount` groups with up to
// `idsPerSample` of their deleted IDs each.
DuplicatesPreview previewRemoveDuplicates(ItemDatabase& database, int sampleCount,
                                          int idsPerSample);

}  // namespace store
