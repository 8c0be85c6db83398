#include "cli/CliCommand.h"
#include "cli/DemoRecords.h"
#include "cli/OpenItemDatabase.h"
#include "store/Connection.h"

namespace cli {

int createCommand(const QStringList& arguments, Console& console) {
    expectArguments(arguments, 1, 1);
    store::createItemDatabaseFile(arguments[0]);
    (void)console;
    return 0;
}

int demoCommand(const QStringList& arguments, Console& console) {
    expectArguments(arguments, 1, 2);
    int count = 1000;
    if (arguments.size() == 2) {
        bool ok = false;
        count = arguments[1].toInt(&ok);
        if (!ok || count < 0)
            throw UsageError(QStringLiteral("N must be a whole number of records: ") +
                             arguments[1]);
    }
    store::createItemDatabaseFile(arguments[0]);
    store::ItemDatabase database;
    openItemDatabase(database, arguments[0]);
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
    }
    if (console.errIsTerminal && count >= 10000)
        console.err << "\n";
    printLine(console.out, QString::number(query.recordCount()));
    return 0;
}

}  // namespace cli
