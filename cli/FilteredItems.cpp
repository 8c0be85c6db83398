#include "cli/FilteredItems.h"

#include "cli/CommandLine.h"
#include "cli/GridFilterRow.h"
#include "cli/OpenItemDatabase.h"
#include "store/Locale.h"

namespace cli {

using namespace Qt::StringLiterals;

void applyDecimalSeparator(const CommandLine& line) {
    if (!line.isSet(u"decimal-separator"_s))
        return;
    const QString separator = line.value(u"decimal-separator"_s);
    if (separator.size() != 1)
        throw UsageError(u"--decimal-separator takes one character, not: "_s + separator);
    store::Locale locale = store::Locale::current();
    locale.decimalSeparator = separator.front();
    store::Locale::setCurrent(locale);
}

void openFilteredItems(store::ItemDatabase& database, const CommandLine& line,
                       store::Access access) {
    const bool where = line.isSet(u"where"_s);
    const bool filter = line.isSet(u"filter"_s);
    if (where && filter)
        throw UsageError(u"--where and --filter cannot be used together"_s);
    applyDecimalSeparator(line);
    // Set before opening, so that the table is read once.
    if (where) {
        database.itemQuery.setFilter(line.value(u"where"_s));
        database.itemQuery.setFiltered(true);
    }
    openItemDatabase(database, line.argument(0), access);
    if (filter) {
        GridFilterRow filterRow(database.itemQuery);
        for (const QString& cell : line.values(u"filter"_s))
            filterRow.type(cell);
        filterRow.apply();
    }
}

}  // namespace cli
