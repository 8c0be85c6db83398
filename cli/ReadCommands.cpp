#include "cli/CliCommand.h"
#include "cli/OpenItemDatabase.h"

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

// Reads "DB [--filter TEXT]" and opens the item query, filtered when asked.
void openFiltered(store::ItemDatabase& database, const QStringList& arguments) {
    expectArguments(arguments, 1, 3);
    if (arguments.size() > 1 && arguments[1] != QStringLiteral("--filter"))
        throw UsageError(QStringLiteral("unknown option: ") + arguments[1]);
    if (arguments.size() == 2)
        throw UsageError(QStringLiteral("--filter needs a filter text"));
    // Set before opening, so that the table is read once.
    if (arguments.size() == 3) {
        database.itemQuery.setFilter(arguments[2]);
        database.itemQuery.setFiltered(true);
    }
    openItemDatabase(database, arguments[0]);
}

}  // namespace

int countCommand(const QStringList& arguments, Console& console) {
    store::ItemDatabase database;
    openFiltered(database, arguments);
    printLine(console.out, QString::number(database.itemQuery.recordCount()));
    return 0;
}

int dumpCommand(const QStringList& arguments, Console& console) {
    store::ItemDatabase database;
    openFiltered(database, arguments);
    store::Query& query = database.itemQuery;

    QStringList names;
    for (int f = 0; f < query.fieldCount(); ++f)
        names << query.field(f).name();
    printLine(console.out, names.join(u'\t'));

    QString line;
    for (int row = 0; row < query.rowCount(); ++row) {
        line.clear();
        for (int f = 0; f < query.fieldCount(); ++f) {
            if (f > 0)
                line += u'\t';
            line += dumpCell(query.rowValue(row, f));
        }
        printLine(console.out, line);
    }
    return 0;
}

}  // namespace cli
