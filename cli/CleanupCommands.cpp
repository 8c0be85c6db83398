#include "cli/CliCommand.h"
#include "cli/CommandLine.h"
#include "cli/DryRun.h"
#include "cli/OpenItemDatabase.h"
#include "cli/PreviewReports.h"
#include "store/TableCommands.h"

namespace cli {

int clearCommand(const CommandLine& line, Console& console) {
    store::ItemDatabase database;
    // The command opens the item query once the table is changed.
    connectItemDatabase(database, line.argument(0));
    store::clearAll(database);
    (void)console;
    return 0;
}

int dedupeCommand(const CommandLine& line, Console& console) {
    store::ItemDatabase database;
    if (dryRunRequested(line)) {
        connectItemDatabase(database, line.argument(0), store::Access::ReadOnly);
        printDuplicatesPreview(
            store::previewRemoveDuplicates(database, kPreviewSampleGroups, kPreviewIdsPerGroup),
            jsonRequested(line), console);
        return 0;
    }
    connectItemDatabase(database, line.argument(0));
    store::removeDuplicates(database);
    printLine(console.out, QStringLiteral("操作成功，已将重复记录删除"));
    return 0;
}

}  // namespace cli
