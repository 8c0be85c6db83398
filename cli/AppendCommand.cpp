#include "cli/CliCommand.h"
#include "cli/CommandLine.h"
#include "cli/DryRun.h"
#include "cli/OpenItemDatabase.h"
#include "cli/PreviewReports.h"
#include "cli/TerminalProgress.h"
#include "store/AppendDatabase.h"
#include "store/AppendPreview.h"

namespace cli {

namespace {

// append DB SOURCE --dry-run [--json]: what append would do, read from both
// files opened read-only.
int appendDryRun(const CommandLine& line, Console& console) {
    store::ItemDatabase database;
    openItemDatabase(database, line.argument(0), store::Access::ReadOnly);
    TerminalProgress progress(console);
    const store::CloseProgressOnExit closeProgress(progress);
    const store::AppendPreview preview =
        store::previewItemDatabaseAppend(database, line.argument(1), progress);
    progress.close();  // the counts line ends before the summary starts
    printAppendPreview(preview, jsonRequested(line), console);
    return 0;
}

}  // namespace

// append DB SOURCE: merges the table Content of the item database SOURCE into
// DB: columns for the source fields DB lacks, then the source values onto the
// records with the same 宝贝链接.
int appendCommand(const CommandLine& line, Console& console) {
    if (dryRunRequested(line))
        return appendDryRun(line, console);
    store::ItemDatabase database;
    openItemDatabase(database, line.argument(0));
    TerminalProgress progress(console);
    const store::CloseProgressOnExit closeProgress(progress);
    store::AppendHooks hooks;
    hooks.reportSuccess = [&] {
        progress.close();  // the counts line ends before the message starts
        printLine(console.out, QStringLiteral("文件追加成功"));
    };
    store::appendItemDatabase(database, line.argument(1), progress, hooks);
    return 0;
}

}  // namespace cli
