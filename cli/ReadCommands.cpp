#include "cli/CliCommand.h"
#include "cli/CommandLine.h"
#include "cli/FilteredItems.h"
#include "cli/GridFilterRow.h"
#include "cli/OpenItemDatabase.h"
#include "store/ReadSnapshot.h"

namespace cli {

namespace {

// A value as one dump cell: \N for null; backslash, TAB, CR and LF escaped.
QString dumpCell(const QVariant& value) {
    if (value.isNull())
        return QStringLiteral("\\N");
    const QString text = value.toString();
    QString cell;
    cell.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
            case u'\\':
                cell += QStringLiteral("\\\\");
                break;
            case u'\t':
                cell += QStringLiteral("\\t");
                break;
            case u'\r':
                cell += QStringLiteral("\\r");
                break;
            case u'\n':
                cell += QStringLiteral("\\n");
                break;
            default:
                cell += c;
        }
    }
    return cell;
}

}  // namespace

int countCommand(const CommandLine& line, Console& console) {
    store::ItemDatabase database;
    openFilteredItems(database, line);
    printLine(console.out, QString::number(database.itemQuery.recordCount()));
    return 0;
}

int dumpCommand(const CommandLine& line, Console& console) {
    store::ItemDatabase database;
    openFilteredItems(database, line);
    store::Query& query = database.itemQuery;
    const store::ReadSnapshot snapshot(query);

    QStringList names;
    for (int f = 0; f < query.fieldCount(); ++f)
        names << query.field(f).name();
    printLine(console.out, names.join(u'\t'));

    QString text;
    for (int row = 0; row < query.rowCount(); ++row) {
        text.clear();
        for (int f = 0; f < query.fieldCount(); ++f) {
            if (f > 0)
                text += u'\t';
            text += dumpCell(query.rowValue(row, f));
        }
        printLine(console.out, text);
    }
    return 0;
}

int filterStringCommand(const CommandLine& line, Console& console) {
    applyDecimalSeparator(line);
    store::ItemDatabase database;
    openItemDatabase(database, line.argument(0));
    GridFilterRow filterRow(database.itemQuery);
    for (const QString& cell : line.values(QStringLiteral("filter")))
        filterRow.type(cell);
    printLine(console.out, filterRow.filterString());
    return 0;
}

}  // namespace cli
