#include "cli/CliCommand.h"
#include "cli/OpenItemDatabase.h"
#include "cli/TerminalProgress.h"
#include "itemfile/ItemFileImport.h"

namespace cli {

namespace {

// The column count of "--columns N", within the settings dialog's bounds.
int columnCountOption(const QStringList& arguments) {
    if (arguments.size() == 2) {
        return itemfile::kDefaultImportColumnCount;
    }
    if (arguments[2] != QStringLiteral("--columns")) {
        throw UsageError(QStringLiteral("unknown option: ") + arguments[2]);
    }
    if (arguments.size() == 3) {
        throw UsageError(QStringLiteral("--columns needs a number"));
    }
    bool ok = false;
    const int count = arguments[3].toInt(&ok);
    if (!ok || count < itemfile::kMinimumImportColumnCount ||
        count > itemfile::kMaximumImportColumnCount) {
        throw UsageError(QStringLiteral("--columns must be a whole number from %1 to %2: ")
                             .arg(itemfile::kMinimumImportColumnCount)
                             .arg(itemfile::kMaximumImportColumnCount) +
                         arguments[3]);
    }
    return count;
}

}  // namespace

// import DB FILE [--columns N]: appends the records of a tab-separated item file.
int importCommand(const QStringList& arguments, Console& console) {
    expectArguments(arguments, 2, 4);
    const int columnCount = columnCountOption(arguments);
    store::ItemDatabase database;
    openItemDatabase(database, arguments[0]);
    store::Query& query = database.itemQuery;
    const int before = query.recordCount();
    TerminalProgress progress(console);
    try {
        const itemfile::ImportResult result =
            itemfile::importItemFile(arguments[1], query, columnCount, progress);
        printLine(console.out, QStringLiteral("导入成功"));
        printLine(console.out, QStringLiteral("新增记录：%1").arg(result.postedCount));
    } catch (const store::Error& error) {
        // What was posted before the failure stays in the table: say how much.
        const int kept = query.recordCount() - before;
        if (kept == 0) {
            throw;
        }
        throw store::Error(error.message() +
                           QStringLiteral("\n已导入的记录保留在表中：%1").arg(kept));
    }
    return 0;
}

}  // namespace cli
