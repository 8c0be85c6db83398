#pragma once

#include <functional>

#include <QString>

namespace store {

class ItemDatabase;
class Progress;

struct AppendHooks {
    // A column was added to BabyData for a source field that the table lacked.
    std::function<void(const QString& fieldName)> columnAdded;
    // Runs once the item query is requeried at the end, while the progress
    // window is still shown.
    std::function<void()> reportSuccess;
};

// Merges the table Content of another item database (`sourcePath`) into
// BabyData: first BabyData gains a column for every source field it lacks
// (autoincrement fields excepted), then every source record whose 宝贝链接
// also occurs in BabyData overwrites that item record with all its values but
// ID; records of either side without a partner stay as they are.
//
// The matched record is the first one the item query shows with that link;
// one that the item query's filter hides is written by its ID instead, and
// so are the values of columns outside the item query's fields. A value that
// a field refuses cancels that record's changes and ends the command.
//
// Shows the progress window with the source's record count as maximum and
// steps it once per copied record; the caller detaches the grid before, and
// closes the progress window and re-attaches the grid after, in every
// outcome. Columns added stay, also when the copy fails; the copied records
// are written in one transaction that keeps what was copied before a failure.
// Failures raise store::Error with the engine's message.
void appendItemDatabase(ItemDatabase& database, const QString& sourcePath, Progress& progress,
                        const AppendHooks& hooks = {});

}  // namespace store
