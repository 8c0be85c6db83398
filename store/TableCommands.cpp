#include "store/TableCommands.h"

#include <algorithm>
#include <queue>
#include <unordered_map>
#include <utility>

#include <QStringList>

#include "store/ItemDatabase.h"
#include "store/JetDialect.h"
#include "store/ReadSnapshot.h"

namespace store {

using namespace Qt::StringLiterals;

namespace {

// Records whose item names the engine puts into one group (those without a
// name form one group too) keep only the record with the lowest ID.
QString nameGroups() {
    return QStringLiteral("FROM BabyData GROUP BY BabyData.宝贝名称");
}

QString lowestId() {
    return QStringLiteral("Min(BabyData.ID) AS ID");
}

void runStatement(Query& workQuery, const QString& statement) {
    workQuery.close();
    workQuery.setSql(statement);
    workQuery.execute();
}

// A record being edited or inserted is settled first, so that the command
// sees it, and the requery afterwards has nothing left to post.
void settleItemQuery(Query& itemQuery) {
    if (itemQuery.isActive())
        itemQuery.settle();
}

void showTableAsItIsNow(Query& itemQuery) {
    if (itemQuery.isActive())
        itemQuery.requery();
    else
        itemQuery.open();
}

}  // namespace

void clearAll(ItemDatabase& database) {
    settleItemQuery(database.itemQuery);
    Connection::Transaction transaction(database.itemConnection);
    runStatement(database.workQuery, QStringLiteral("Delete from BabyData"));
    transaction.commit();
    showTableAsItIsNow(database.itemQuery);
}

// The statements run in one transaction: records that another process adds
// meanwhile are either all judged or all wait until the end.
void removeDuplicates(ItemDatabase& database) {
    settleItemQuery(database.itemQuery);
    Query& work = database.workQuery;
    Connection::Transaction transaction(database.itemConnection);
    if (database.itemConnection.tableExists(QStringLiteral("BabyDataID")))
        runStatement(work, QStringLiteral("Drop Table BabyDataID"));
    runStatement(work, u"SELECT "_s + lowestId() + u" INTO BabyDataID "_s + nameGroups() +
                           u" HAVING Count(*)=1"_s);
    runStatement(work, u"INSERT INTO BabyDataID(ID) SELECT "_s + lowestId() + u' ' + nameGroups() +
                           u" HAVING Count(*)>1"_s);
    runStatement(
        work, QStringLiteral("Delete from BabyData where ID  not in (SELECT ID FROM BabyDataID)"));
    runStatement(work, QStringLiteral("Drop Table BabyDataID"));
    transaction.commit();
    showTableAsItIsNow(database.itemQuery);
}

namespace {

// Reads each sample group's name from its kept record, then the deleted IDs
// of all of them in one pass over the table: the records of one group share
// the lowest ID of their name's partition, which is the group's kept ID.
void readSamples(sqlite3* db, std::vector<DuplicateGroup>& samples, int idsPerSample) {
    std::unordered_map<std::int64_t, DuplicateGroup*> byKeptId;
    QString keptIds;
    for (DuplicateGroup& group : samples) {
        byKeptId.emplace(group.keptId, &group);
        keptIds += (keptIds.isEmpty() ? QString() : u","_s) + QString::number(group.keptId);
    }
    const StatementHandle names =
        prepare(db, u"SELECT ID, 宝贝名称 FROM BabyData WHERE ID IN ("_s + keptIds + u')');
    while (step(names.get()))
        byKeptId.at(sqlite3_column_int64(names.get(), 0))->name = columnValue(names.get(), 1);

    QStringList conditions;
    QString placeholders;
    std::vector<QVariant> values;
    for (const DuplicateGroup& group : samples) {
        if (group.name.isNull()) {
            conditions << u"宝贝名称 IS NULL"_s;
        } else {
            placeholders += placeholders.isEmpty() ? u"?"_s : u", ?"_s;
            values.push_back(group.name);
        }
    }
    if (!values.empty())
        conditions << u"宝贝名称 IN ("_s + placeholders + u')';
    const StatementHandle members =
        prepare(db, u"SELECT ID, Min(ID) OVER (PARTITION BY 宝贝名称) FROM BabyData WHERE "_s +
                        conditions.join(u" OR "_s) + u" ORDER BY ID"_s);
    for (std::size_t i = 0; i < values.size(); ++i)
        bind(members.get(), static_cast<int>(i + 1), values[i]);
    while (step(members.get())) {
        const std::int64_t id = sqlite3_column_int64(members.get(), 0);
        const auto group = byKeptId.find(sqlite3_column_int64(members.get(), 1));
        if (group == byKeptId.end() || id == group->first)
            continue;
        std::vector<std::int64_t>& ids = group->second->deletedIds;
        if (std::cmp_less(ids.size(), idsPerSample))
            ids.push_back(id);
    }
}

}  // namespace

DuplicatesPreview previewRemoveDuplicates(ItemDatabase& database, int sampleCount,
                                          int idsPerSample) {
    const ReadSnapshot snapshot(database.itemConnection);
    sqlite3* db = database.itemConnection.handle();
    DuplicatesPreview preview;
    // The groups with the lowest kept IDs so far, the highest of them on top.
    std::priority_queue<std::pair<std::int64_t, std::int64_t>> lowest;
    const StatementHandle groups =
        prepare(db, translateJetStatement(u"SELECT "_s + lowestId() + u", Count(*) "_s +
                                          nameGroups() + u" HAVING Count(*)>1"_s));
    while (step(groups.get())) {
        const std::int64_t keptId = sqlite3_column_int64(groups.get(), 0);
        const std::int64_t count = sqlite3_column_int64(groups.get(), 1);
        ++preview.groupCount;
        preview.deletedCount += count - 1;
        if (std::cmp_less(lowest.size(), sampleCount) ||
            (!lowest.empty() && keptId < lowest.top().first)) {
            lowest.emplace(keptId, count);
            if (std::cmp_greater(lowest.size(), sampleCount))
                lowest.pop();
        }
    }
    const StatementHandle total = prepare(db, u"SELECT Count(*) FROM BabyData"_s);
    step(total.get());
    preview.keptCount = sqlite3_column_int64(total.get(), 0) - preview.deletedCount;

    for (; !lowest.empty(); lowest.pop()) {
        DuplicateGroup& group = preview.samples.emplace_back();
        group.keptId = lowest.top().first;
        group.deletedCount = lowest.top().second - 1;
    }
    std::reverse(preview.samples.begin(), preview.samples.end());
    if (!preview.samples.empty())
        readSamples(db, preview.samples, idsPerSample);
    return preview;
}

}  // namespace store
