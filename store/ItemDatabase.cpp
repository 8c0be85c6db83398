#include "store/ItemDatabase.h"

#include "store/ConnectionString.h"
#include "store/ItemTable.h"

namespace store {

ItemDatabase::ItemDatabase() {
    itemQuery.setSql(itemQuerySql());
    itemQuery.setDeclaredFields(itemFields());
    workQuery.setSql(itemQuerySql());
    sourceQuery.setSql(QStringLiteral("Select * from Content"));
}

ItemDatabase::~ItemDatabase() {
    closeAll();
}

void ItemDatabase::connectFile(const QString& path, Access access) {
    itemConnection.close();
    itemConnection.setConnectionString(
        access == Access::ReadOnly ? readOnlyConnectionStringFor(path) : connectionStringFor(path));
}

void ItemDatabase::openItemQuery() {
    itemQuery.open();
}

void ItemDatabase::closeAll() {
    itemConnection.close();
    sourceConnection.close();
}

}  // namespace store

#include <QFileInfo>

#include "store/Error.h"
#include "store/Sqlite.h"

namespace store {

void createItemDatabaseFile(const QString& path) {
    if (QFileInfo::exists(path))
        throw Error(QStringLiteral("文件已存在：") + path);
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    DatabaseHandle db(raw);
    if (rc != SQLITE_OK)
        throw Error(QString::fromUtf8(sqlite3_errmsg(raw)) + QStringLiteral(": ") + path);
    execute(db.get(), createItemTableSql());
}

}  // namespace store
