#include "cli/CliCommand.h"
#include "cli/CommandLine.h"
#include "cli/DryRun.h"
#include "cli/OpenItemDatabase.h"
#include "cli/PreviewReports.h"
#include "cli/TerminalProgress.h"
#include "itemfile/ItemFileImport.h"

namespace cli {

// import DB FILE [--columns N] [--dry-run [--json]]: appends the records of a
// tab-separated item file, or tells what that would do.
int importCommand(const CommandLine& line, Console& console) {
    const bool dryRun = dryRunRequested(line);
    const int columnCount =
        line.numberValue(QStringLiteral("columns"), itemfile::kMinimumImportColumnCount,
                         itemfile::kMaximumImportColumnCount);
    store::ItemDatabase database;
    openItemDatabase(database, line.argument(0));
    store::Query& query = database.itemQuery;
    // The dry run opens the database as the import does, so that a file the
    // import could not write shows as its problem; it only reads.
    TerminalProgress progress(console);
    if (dryRun) {
        const itemfile::ImportPreview preview =
            itemfile::previewItemFileImport(line.argument(1), query, columnCount, progress);
        printImportPreview(preview, jsonRequested(line), console);
        return 0;
    }
    try {
        const itemfile::ImportResult result =
            itemfile::importItemFile(line.argument(1), query, columnCount, progress);
        printLine(console.out, QStringLiteral("导入成功"));
        printLine(console.out, QStringLiteral("新增记录：%1").arg(result.postedCount));
    } catch (const itemfile::ImportError& error) {
        // Say where the import stopped and how much of the file the table holds.
        QString message = error.message();
        if (error.lineNumber() > 0) {
            message += QStringLiteral("\n出错的行：%1").arg(error.lineNumber());
        }
        if (error.keptCount() > 0) {
            message += QStringLiteral("\n已导入的记录保留在表中：%1").arg(error.keptCount());
        }
        throw store::Error(message);
    }
    return 0;
}

}  // namespace cli
