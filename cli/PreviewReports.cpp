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

}  // namespace cli
