#pragma once

#include <functional>

#include <QString>

#include "itemfile/ExistingFile.h"
#include "itemfile/ExportVariant.h"

namespace store {
class Progress;
class Query;
}  // namespace store

namespace itemfile {

// The file name an export writes: ".csv" is appended unless the name already
// ends with it (letter case counts, so "a.CSV" gives "a.CSV.csv").
QString exportFileName(const QString& chosenName);

// The six lines of the question asked when the chosen file exists.
QString existingFileQuestion();

struct ExportHooks {
    // The file is open and locked and writing begins: the window detaches the grid.
    std::function<void()> beforeWriting;
    // Every record is written and the file closed under its name; the
    // progress window is still shown. Receives "已导出至 " and the file name.
    std::function<void(const QString& message)> reportSuccess;
};

// Writes the records of the item query (as filtered and sorted) to an item
// file in the chosen variant, every field but the last (ID), from obtaining
// the progress window to closing it. The caller re-attaches the grid after, in
// every outcome. Leaves the item query's cursor after its last record.
//
// Failures raise store::Error: OpenForWriteError ("打开写入文件失败！") when
// the file cannot be created or opened (another process holds it, it is no
// regular writable file, or it belongs to the item query's database),
// "写入文件失败！" or "写入文件大小不符！" when a write fails. A new file then
// does not appear at all; a file overwritten or appended to keeps what was
// written before the failure. An empty query writes no byte, not even the mark.
void exportItemFile(const QString& path, ExportVariant variant, ExistingFile existing,
                    store::Query& itemQuery, store::Progress& progress,
                    const ExportHooks& hooks = {});

}  // namespace itemfile
