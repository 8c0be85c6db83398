#pragma once

#include <QString>
#include <QStringList>

#include "tests/support/TempDir.h"

namespace gridtest {

// One item record for a test database; empty texts and a null price are
// written as NULL.
struct ItemRow {
    QString name;
    QString price;  // SQL literal of 宝贝价格, "NULL" for none
    QString description;
};

inline QString sqlText(const QString& text) {
    return text.isNull() ? QStringLiteral("NULL")
                         : u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}

// An item database in `dir` holding `rows` in order (IDs 1, 2, ...).
inline QString createItemDatabase(const testsupport::TempDir& dir,
                                  const std::vector<ItemRow>& rows) {
    const QString path = testsupport::createItemDatabase(dir);
    QString sql = QStringLiteral("BEGIN;");
    for (const ItemRow& row : rows) {
        sql += QStringLiteral("INSERT INTO BabyData(宝贝名称, 宝贝价格, 宝贝描述) VALUES (") +
               sqlText(row.name) + u',' + row.price + u',' + sqlText(row.description) +
               QStringLiteral(");");
    }
    testsupport::runSql(path, sql + QStringLiteral("COMMIT;"));
    return path;
}

// `count` rows named "item 1", "item 2", ... priced 1, 2, ...
inline QString createNumberedDatabase(const testsupport::TempDir& dir, int count) {
    const QString path = testsupport::createItemDatabase(dir);
    testsupport::runSql(
        path, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                             "WHERE i < %1) INSERT INTO BabyData(宝贝名称, 宝贝价格) "
                             "SELECT 'item ' || i, i FROM n")
                  .arg(count));
    return path;
}

}  // namespace gridtest
