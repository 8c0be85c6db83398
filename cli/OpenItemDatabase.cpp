#include "cli/OpenItemDatabase.h"

#include <QFileInfo>

#include "store/Error.h"

namespace cli {

void connectItemDatabase(store::ItemDatabase& database, const QString& path, store::Access access) {
    if (!QFileInfo(path).isFile())
        throw store::Error(QStringLiteral("数据库文件不存在：") + path);
    database.connectFile(path, access);
    database.itemConnection.open();
    // Every command works on the table right after opening it.
    database.itemQuery.setKeysOnDemand(true);
}

void openItemDatabase(store::ItemDatabase& database, const QString& path, store::Access access) {
    connectItemDatabase(database, path, access);
    database.openItemQuery();
}

}  // namespace cli
