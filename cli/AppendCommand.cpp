#include "cli/CliCommand.h"
#include "cli/CommandLine.h"
#include "cli/OpenItemDatabase.h"
#include "cli/TerminalProgress.h"
#include "store/AppendDatabase.h"

namespace cli {

// append DB SOURCE: merges the table Content of the item database SOURCE into
// DB: columns for the source fields DB lacks, then the source values onto the
// records with the same 宝贝链接.
int appendCommand(const CommandLine& line, Console& console) {
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
