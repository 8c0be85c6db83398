#include "store/TableCommands.h"

#include "store/ItemDatabase.h"

namespace store {

namespace {

void runStatement(Query& workQuery, const QString& statement) {
    workQuery.close();
    workQuery.setSql(statement);
    workQuery.execute();
}

void showTableAsItIsNow(Query& itemQuery) {
    if (itemQuery.isActive())
        itemQuery.requery();
    else
        itemQuery.open();
}

}  // namespace

void clearAll(ItemDatabase& database) {
    runStatement(database.workQuery, QStringLiteral("Delete from BabyData"));
    showTableAsItIsNow(database.itemQuery);
}

void removeDuplicates(ItemDatabase& database) {
    Query& work = database.workQuery;
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
    showTableAsItIsNow(database.itemQuery);
}

}  // namespace store
