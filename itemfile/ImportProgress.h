#pragma once

namespace store {
class Progress;
}  // namespace store

namespace itemfile {

// Before the first line of an import or its dry run: position 0 of 1000, shown.
void startImportProgress(store::Progress& progress);
// After each line: the position is the number of records started; the
// maximum grows by 1000 whenever the position reaches it.
void showImportProgress(store::Progress& progress, int recordCount);

}  // namespace itemfile
