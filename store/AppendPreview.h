#pragma once

#include <vector>

#include <QString>

#include "store/AppendPlan.h"

namespace store {

class ItemDatabase;
class Progress;

// What appendItemDatabase would do with a source database.
struct AppendPreview {
    int sourceRecords = 0;
    // Source records whose 宝贝链接 BabyData holds (the records copied), and
    // those it lacks (skipped).
    int linksFound = 0;
    int linksNotFound = 0;
    // Item records the copy reaches: those whose values would change, and
    // those that hold the values already. An item record that several source
    // records reach counts once, with the values of the last.
    int changing = 0;
    int unchanged = 0;
    std::vector<AppendedColumn> addedColumns;
};

// Reads the source table Content and BabyData as appendItemDatabase does and
// decides what it would write, but opens both files for reading only and
// changes neither: the item records are found through a temporary copy of
// their links instead of an index on BabyData. Shows the progress window as
// the merge does. Fails where the merge would fail, with its message, also
// when the engine would refuse a column the schema step adds.
AppendPreview previewItemDatabaseAppend(ItemDatabase& database, const QString& sourcePath,
                                        Progress& progress);

}  // namespace store
