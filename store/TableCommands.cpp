#include "store/TableCommands.h"

#include "store/ItemDatabase.h"

namespace store {

namespace {

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
    runStatement(work, QStringLiteral("SELECT Min(BabyData.ID) AS ID INTO BabyDataID FROM BabyData "
                                      "GROUP BY BabyData.宝贝名称 HAVING Count(*)=1"));
    runStatement(work,
                 QStringLiteral("INSERT INTO BabyDataID(ID) SELECT Min(BabyData.ID) AS ID "
                                "FROM BabyData GROUP BY BabyData.宝贝名称 HAVING Count(*)>1"));
    runStatement(
        work, QStringLiteral("Delete from BabyData where ID  not in (SELECT ID FROM BabyDataID)"));
    runStatement(work, QStringLiteral("Drop Table BabyDataID"));
    transaction.commit();
    showTableAsItIsNow(database.itemQuery);
}

}  // namespace store
