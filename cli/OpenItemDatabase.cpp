#include "cli/OpenItemDatabase.h"

#include <QFileInfo>

#include "store/Error.h"

namespace cli {

void openItemDatabase(store::ItemDatabase& database, const QString& path) {
    if (!QFileInfo(path).isFile())
        throw store::Error(QStringLiteral("数据库文件不存在：") + path);
    database.connectFile(path);
    database.openItemQuery();
}

}  // namespace cli
