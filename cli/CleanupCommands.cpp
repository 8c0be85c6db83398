#include "cli/CliCommand.h"
#include "cli/OpenItemDatabase.h"
#include "store/TableCommands.h"

namespace cli {

int clearCommand(const QStringList& arguments, Console& console) {
    expectArguments(arguments, 1, 1);
    store::ItemDatabase database;
    // The command opens the item query once the table is changed.
    connectItemDatabase(database, arguments[0]);
    store::clearAll(database);
    (void)console;
    return 0;
}

int dedupeCommand(const QStringList& arguments, Console& console) {
    expectArguments(arguments, 1, 1);
    store::ItemDatabase database;
    connectItemDatabase(database, arguments[0]);
    store::removeDuplicates(database);
    printLine(console.out, QStringLiteral("操作成功，已将重复记录删除"));
    return 0;
}

}  // namespace cli
