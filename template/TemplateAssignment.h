#pragma once

#include <functional>

namespace store {
class Progress;
class Query;
}  // namespace store

namespace postage {

// Sets 邮费模版ID of every record that the item query presents, in its order
// and through its filter, to the template id of the description file named by
// the record's 宝贝描述; the empty text where the file has no weight.
//
// Shows the progress window with the record count as maximum and steps it
// once per record; the caller detaches the grid before, and closes the
// progress window and re-attaches the grid after, in every outcome. The records
// are posted in one transaction that keeps what was posted before a failure.
// A description file that cannot be read stops the command with its error;
// that record stays in the edit state, unchanged. `reportSuccess` runs after
// the last record.
void assignPostageTemplates(store::Query& itemQuery, store::Progress& progress,
                            const std::function<void()>& reportSuccess = {});

}  // namespace postage
