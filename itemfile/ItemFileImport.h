#pragma once

#include <functional>
#include <optional>

#include <QString>

#include "itemfile/ItemFileReader.h"
#include "itemfile/PreviewRecordSink.h"
#include "store/Error.h"

namespace store {
class Progress;
class Query;
}  // namespace store

namespace itemfile {

// How many columns make up one item record: 40 after start. The settings
// dialog and the command line take counts from 1 to 200.
inline constexpr int kDefaultImportColumnCount = 40;
inline constexpr int kMinimumImportColumnCount = 1;
inline constexpr int kMaximumImportColumnCount = 200;

// A failed import: the failure's message, the file's line where the import
// stopped (the header is line 1; 0 when the failure belongs to no line), and
// how many records of the file stay in the table, posted before the failure
// and committed.
class ImportError : public store::Error {
public:
    ImportError(const QString& message, int lineNumber, int keptCount);
    int lineNumber() const { return m_lineNumber; }
    int keptCount() const { return m_keptCount; }

private:
    int m_lineNumber;
    int m_keptCount;
};

struct ImportResult {
    int recordCount = 0;  // records started by the file's lines
    int postedCount = 0;  // records added to the table
};

// Imports a tab-separated item file into the item query, from showing the
// progress window to closing it; the caller detaches the grid before and
// re-attaches it after, in every outcome.
//
// Every record is appended to the item query and posted when the next one
// starts, in one transaction that keeps what was posted before a failure;
// a commit that fails undoes the import and raises the engine's error.
// `reportSuccess` runs after the last record is settled, while the file is
// still open and the progress window still shown. Failures raise store::Error,
// and ImportError once records were read:
// "不是UTF-16格式的宝贝文件！" for a file that does not start with FF FE
// (nothing imported), the file's error, "List index out of bounds (47)", an
// integer out of range, or the engine's message for a refused post.
ImportResult importItemFile(const QString& path, store::Query& itemQuery, int importColumnCount,
                            store::Progress& progress,
                            const std::function<void()>& reportSuccess = {},
                            const ReaderLimits& limits = {});

// What importItemFile would do with the file, read the same way.
struct ImportPreview {
    int recordCount = 0;                   // records the file holds
    int keptCount = 0;                     // records added before the problem, or all of them
    std::optional<ImportProblem> problem;  // the first one that stops the import
};

// Reads the item file as importItemFile does, with the same progress, inside
// one read transaction of the item query's connection, and changes nothing. A file that cannot be
// opened or lacks the mark is a problem of no line; failures of the database
// are raised.
ImportPreview previewItemFileImport(const QString& path, store::Query& itemQuery,
                                    int importColumnCount, store::Progress& progress,
                                    const ReaderLimits& limits = {});

}  // namespace itemfile
