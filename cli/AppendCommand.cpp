#include <QJsonArray>
#include <QJsonObject>

#include "cli/CliCommand.h"
#include "cli/CommandLine.h"
#include "cli/DryRun.h"
#include "cli/OpenItemDatabase.h"
#include "cli/TerminalProgress.h"
#include "store/AppendDatabase.h"
#include "store/AppendPreview.h"

namespace cli {

namespace {

using namespace Qt::StringLiterals;

QJsonObject appendSummary(const store::AppendPreview& preview) {
    QJsonArray columns;
    for (const store::AppendedColumn& column : preview.addedColumns)
        columns.append(QJsonObject{{u"name"_s, column.name}, {u"type"_s, column.type}});
    return QJsonObject{
        {u"command"_s, u"append"_s},
        {u"dry_run"_s, true},
        {u"source_records"_s, preview.sourceRecords},
        {u"links_found"_s, preview.linksFound},
        {u"links_not_found"_s, preview.linksNotFound},
        {u"changing"_s, preview.changing},
        {u"unchanged"_s, preview.unchanged},
        {u"columns_added"_s, columns},
    };
}

void printAppendSummary(std::ostream& out, const store::AppendPreview& preview) {
    printLine(out, u"Dry run: nothing was changed."_s);
    printLine(out, u"Source records: %1"_s.arg(preview.sourceRecords));
    printLine(out, u"  宝贝链接 found in DB: %1"_s.arg(preview.linksFound));
    printLine(out, u"  宝贝链接 not in DB, skipped: %1"_s.arg(preview.linksNotFound));
    printLine(out, u"Records whose values would change: %1"_s.arg(preview.changing));
    printLine(out, u"Records that hold the values already: %1"_s.arg(preview.unchanged));
    QStringList columns;
    for (const store::AppendedColumn& column : preview.addedColumns)
        columns << column.name + u' ' + column.type;
    printLine(out, u"Columns that would be added: "_s +
                       (columns.isEmpty() ? u"none"_s : columns.join(u", "_s)));
}

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
    if (jsonRequested(line))
        printJson(console.out, appendSummary(preview));
    else
        printAppendSummary(console.out, preview);
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
