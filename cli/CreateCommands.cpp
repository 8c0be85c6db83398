#include <limits>

#include "cli/CliCommand.h"
#include "cli/CommandLine.h"
#include "cli/DemoRecords.h"
#include "cli/OpenItemDatabase.h"
#include "store/Connection.h"

namespace cli {

int createCommand(const CommandLine& line, Console& console) {
    store::createItemDatabaseFile(line.argument(0));
    (void)console;
    return 0;
}

int demoCommand(const CommandLine& line, Console& console) {
    const int count = line.numberArgument(1, 0, std::numeric_limits<int>::max());
    store::createItemDatabaseFile(line.argument(0));
    store::ItemDatabase database;
    openItemDatabase(database, line.argument(0));
    store::Query& query = database.itemQuery;
    {
        store::Connection::Batch batch(database.itemConnection);
        for (int number = 1; number <= count; ++number) {
            query.append();
            fillDemoRecord(query, static_cast<std::uint32_t>(number));
            if (console.errIsTerminal && number % 10000 == 0)
                console.err << "\r" << number << "/" << count << std::flush;
        }
        query.post();
        batch.commit();
    }
    if (console.errIsTerminal && count >= 10000)
        console.err << "\n";
    printLine(console.out, QString::number(query.recordCount()));
    return 0;
}

}  // namespace cli
