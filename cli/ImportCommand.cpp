#include "cli/CliCommand.h"
#include "cli/CommandLine.h"
#include "cli/OpenItemDatabase.h"
#include "cli/TerminalProgress.h"
#include "itemfile/ItemFileImport.h"

namespace cli {

// import DB FILE [--columns N]: appends the records of a tab-separated item file.
int importCommand(const CommandLine& line, Console& console) {
    const int columnCount =
        line.numberValue(QStringLiteral("columns"), itemfile::kMinimumImportColumnCount,
                         itemfile::kMaximumImportColumnCount);
    store::ItemDatabase database;
    openItemDatabase(database, line.argument(0));
    store::Query& query = database.itemQuery;
    TerminalProgress progress(console);
    try {
        const itemfile::ImportResult result =
            itemfile::importItemFile(line.argument(1), query, columnCount, progress);
        printLine(console.out, QStringLiteral("导入成功"));
        printLine(console.out, QStringLiteral("新增记录：%1").arg(result.postedCount));
    } catch (const itemfile::ImportError& error) {
        // Say how much of the file the table holds after the failure.
        if (error.keptCount() == 0) {
            throw store::Error(error.message());
        }
        throw store::Error(error.message() +
                           QStringLiteral("\n已导入的记录保留在表中：%1").arg(error.keptCount()));
    }
    return 0;
}

}  // namespace cli
