#include <QJsonArray>
#include <QJsonObject>

#include "cli/CliCommand.h"
#include "cli/CommandLine.h"
#include "cli/DryRun.h"
#include "cli/FilteredItems.h"
#include "cli/TerminalProgress.h"
#include "template/FindPostageTemplate.h"
#include "template/TemplateAssignment.h"
#include "template/TemplatePreview.h"

namespace cli {

namespace {

using namespace Qt::StringLiterals;

QJsonObject templatesSummary(const postage::TemplatePreview& preview) {
    QJsonObject ids;
    for (const auto& [id, count] : preview.recordsPerId) {
        if (!id.isEmpty())
            ids.insert(id, count);
    }
    QJsonArray unreadable;
    for (const postage::UnreadableDescription& record : preview.firstUnreadable) {
        unreadable.append(QJsonObject{
            {u"id"_s, record.id}, {u"path"_s, record.path}, {u"error"_s, record.error}});
    }
    QJsonValue stop;  // null when every file can be read
    if (preview.changingBeforeStop) {
        const postage::UnreadableDescription& first = preview.firstUnreadable.front();
        stop = QJsonObject{{u"id"_s, first.id},
                           {u"path"_s, first.path},
                           {u"changing_before"_s, *preview.changingBeforeStop}};
    }
    const auto without = preview.recordsPerId.find(QString());
    return QJsonObject{
        {u"command"_s, u"templates"_s},
        {u"dry_run"_s, true},
        {u"records"_s, preview.records + preview.unreadable},
        {u"readable"_s, preview.records},
        {u"template_ids"_s, ids},
        {u"no_weight"_s, without == preview.recordsPerId.end() ? 0 : without->second},
        {u"changing"_s, preview.changing},
        {u"unreadable"_s, preview.unreadable},
        {u"unreadable_files"_s, unreadable},
        {u"stop"_s, stop},
    };
}

QString records(int count) {
    return count == 1 ? u"1 record"_s : u"%1 records"_s.arg(count);
}

void printTemplatesSummary(std::ostream& out, const postage::TemplatePreview& preview) {
    printLine(out, u"Dry run: nothing was changed."_s);
    printLine(out, u"Records: %1, of which %2 have a readable description file:"_s
                       .arg(preview.records + preview.unreadable)
                       .arg(preview.records));
    for (const auto& [id, count] : preview.recordsPerId) {
        if (!id.isEmpty())
            printLine(out, u"  template id %1: %2"_s.arg(id).arg(count));
    }
    if (const auto without = preview.recordsPerId.find(QString());
        without != preview.recordsPerId.end())
        printLine(out, u"  no weight found: %1"_s.arg(without->second));
    printLine(out, u"邮费模版ID would change in "_s + records(preview.changing) + u"."_s);
    if (!preview.changingBeforeStop)
        return;
    printLine(out,
              u"Description file missing or unreadable: "_s + records(preview.unreadable) + u"."_s);
    for (const postage::UnreadableDescription& record : preview.firstUnreadable)
        printLine(out, u"  ID %1: %2"_s.arg(record.id).arg(record.error));
    if (preview.unreadable > postage::TemplatePreview::kListedUnreadable) {
        printLine(out, u"  ... and %1 more"_s.arg(preview.unreadable -
                                                  postage::TemplatePreview::kListedUnreadable));
    }
    printLine(out, u"The command would stop at ID %1, after changing %2."_s
                       .arg(preview.firstUnreadable.front().id)
                       .arg(records(*preview.changingBeforeStop)));
}

// templates DB --dry-run [--json]: what templates would do, read from a
// database opened read-only.
int templatesDryRun(const CommandLine& line, Console& console) {
    store::ItemDatabase database;
    openFilteredItems(database, line, store::Access::ReadOnly);
    TerminalProgress progress(console);
    const store::CloseProgressOnExit closeProgress(progress);
    const postage::TemplatePreview preview =
        postage::previewPostageTemplates(database.itemQuery, progress);
    progress.close();  // the counts line ends before the summary starts
    if (jsonRequested(line))
        printJson(console.out, templatesSummary(preview));
    else
        printTemplatesSummary(console.out, preview);
    return 0;
}

}  // namespace

// templates DB [--where TEXT | --filter COLUMN=TEXT...]: sets 邮费模版ID of
// every record that passes the filter from its description file.
int templatesCommand(const CommandLine& line, Console& console) {
    if (dryRunRequested(line))
        return templatesDryRun(line, console);
    store::ItemDatabase database;
    openFilteredItems(database, line);
    TerminalProgress progress(console);
    const store::CloseProgressOnExit closeProgress(progress);
    postage::assignPostageTemplates(database.itemQuery, progress, [&] {
        progress.close();  // the counts line ends before the message starts
        printLine(console.out, QStringLiteral("已成功生成模板"));
    });
    return 0;
}

// weight FILE: the template id of one description file; an empty line for none.
int weightCommand(const CommandLine& line, Console& console) {
    postage::PostageTemplateFinder finder;
    printLine(console.out, finder.FindPostageTemplate(line.argument(0)));
    return 0;
}

}  // namespace cli
