#include "cli/PreviewReports.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

#include "cli/DryRun.h"

namespace cli {

using namespace Qt::StringLiterals;

namespace {

// A name on one line, in double quotes, with its line breaks and tabs shown as escapes.
QString quotedName(const QVariant& name) {
    if (name.isNull())
        return u"(no name)"_s;
    QString text = name.toString();
    text.replace(u'\\', u"\\\\"_s)
        .replace(u'"', u"\\\""_s)
        .replace(u'\t', u"\\t"_s)
        .replace(u'\r', u"\\r"_s)
        .replace(u'\n', u"\\n"_s);
    return u'"' + text + u'"';
}

QString deletedIdsText(const store::DuplicateGroup& group) {
    QStringList ids;
    for (const std::int64_t id : group.deletedIds)
        ids << QString::number(id);
    QString text = ids.join(u", "_s);
    if (std::cmp_greater(group.deletedCount, group.deletedIds.size()))
        text += u", ... (%1 in all)"_s.arg(group.deletedCount);
    return text;
}

QJsonObject groupJson(const store::DuplicateGroup& group) {
    QJsonArray ids;
    for (const std::int64_t id : group.deletedIds)
        ids.append(static_cast<qint64>(id));
    return {{u"name"_s, group.name.isNull() ? QJsonValue() : QJsonValue(group.name.toString())},
            {u"kept_id"_s, static_cast<qint64>(group.keptId)},
            {u"deleted_count"_s, static_cast<qint64>(group.deletedCount)},
            {u"deleted_ids"_s, ids}};
}

QString problemPlace(const itemfile::ImportProblem& problem) {
    if (problem.lineNumber == 0)
        return u"before the first record"_s;
    QString place = u"at line %1"_s.arg(problem.lineNumber);
    if (problem.fieldNumber > 0) {
        place += u", field %1 "_s.arg(problem.fieldNumber) +
                 (problem.fieldName.isEmpty() ? u"(past the last field)"_s
                                              : u'(' + problem.fieldName + u')');
    }
    return place;
}

QJsonValue problemJson(const std::optional<itemfile::ImportProblem>& problem) {
    if (!problem)
        return QJsonValue();
    const auto numberOrNull = [](int n) { return n > 0 ? QJsonValue(n) : QJsonValue(); };
    return QJsonObject{
        {u"line"_s, numberOrNull(problem->lineNumber)},
        {u"field"_s, numberOrNull(problem->fieldNumber)},
        {u"field_name"_s,
         problem->fieldName.isEmpty() ? QJsonValue() : QJsonValue(problem->fieldName)},
        {u"message"_s, problem->message}};
}

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

}  // namespace

void printDuplicatesPreview(const store::DuplicatesPreview& preview, bool json, Console& console) {
    if (json) {
        QJsonArray samples;
        for (const store::DuplicateGroup& group : preview.samples)
            samples.append(groupJson(group));
        printJson(console.out, {{u"command"_s, u"dedupe"_s},
                                {u"dry_run"_s, true},
                                {u"duplicate_groups"_s, static_cast<qint64>(preview.groupCount)},
                                {u"records_deleted"_s, static_cast<qint64>(preview.deletedCount)},
                                {u"records_kept"_s, static_cast<qint64>(preview.keptCount)},
                                {u"sample_groups"_s, samples}});
        return;
    }
    printLine(console.out, u"Dry run: nothing was changed."_s);
    printLine(console.out, u"Groups of records with the same name: %1"_s.arg(preview.groupCount));
    printLine(console.out, u"Records that dedupe would delete: %1"_s.arg(preview.deletedCount));
    printLine(console.out, u"Records that would stay: %1"_s.arg(preview.keptCount));
    if (preview.samples.empty())
        return;
    printLine(console.out,
              u"The first %1 of those groups, by the ID that stays:"_s.arg(preview.samples.size()));
    for (const store::DuplicateGroup& group : preview.samples) {
        printLine(console.out, u"  %1: keeps ID %2, deletes %3"_s.arg(quotedName(group.name))
                                   .arg(group.keptId)
                                   .arg(deletedIdsText(group)));
    }
}

void printImportPreview(const itemfile::ImportPreview& preview, bool json, Console& console) {
    if (json) {
        printJson(console.out, {{u"command"_s, u"import"_s},
                                {u"dry_run"_s, true},
                                {u"records"_s, preview.recordCount},
                                {u"records_added"_s, preview.keptCount},
                                {u"problem"_s, problemJson(preview.problem)}});
        return;
    }
    printLine(console.out, u"Dry run: nothing was changed."_s);
    printLine(console.out, u"Records in the file: %1"_s.arg(preview.recordCount));
    if (!preview.problem) {
        printLine(console.out,
                  u"No problem found: import would add all %1 records."_s.arg(preview.keptCount));
        return;
    }
    printLine(console.out, u"Import would stop %1: %2"_s.arg(problemPlace(*preview.problem),
                                                             preview.problem->message));
    if (preview.problem->lineNumber > 0) {
        printLine(console.out,
                  u"Records it would add before that, which stay: %1"_s.arg(preview.keptCount));
    }
}

void printAppendPreview(const store::AppendPreview& preview, bool json, Console& console) {
    if (json)
        printJson(console.out, appendSummary(preview));
    else
        printAppendSummary(console.out, preview);
}

void printTemplatesPreview(const postage::TemplatePreview& preview, bool json, Console& console) {
    if (json)
        printJson(console.out, templatesSummary(preview));
    else
        printTemplatesSummary(console.out, preview);
}

}  // namespace cli
