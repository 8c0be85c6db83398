#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>
#include <QVariant>

#include "store/ItemDatabase.h"
#include "store/Sqlite.h"

// What merging the table Content of a source database into BabyData would
// do, decided once for the merge itself and for its dry run.
namespace store {

// Closes the source connection and opens the source query on Content of
// the file at `path`.
void openAppendSource(ItemDatabase& database, const QString& path, Access access);

// A column that the schema step gives BabyData, and the statement that adds it.
struct AppendedColumn {
    QString name;
    QString type;  // Bit, Int, TEXT(n), Memo or TEXT
    QString statement() const;
};

// The columns BabyData holds now.
QStringList itemTableColumns(ItemDatabase& database);
// The columns for the source fields that BabyData lacks, compared without
// regard to case, in source field order; none for autoincrement fields.
std::vector<AppendedColumn> columnsToAppend(const Query& source, QStringList tableColumns);

// Finds the item record that a source record's values go to, and gives
// those values. `tableColumns` are the columns BabyData holds once the
// schema step is done; `linkTable` is a table of BabyData's row keys
// (column `key`) and links (column 宝贝链接), or BabyData itself with its rowid
// as `key`.
class AppendMatcher {
public:
    AppendMatcher(ItemDatabase& database, const QStringList& tableColumns, const QString& linkTable,
                  const QString& keyColumn);

    // The row key of the item record for the current source record: the
    // first one the item query shows with its link or, when its filter
    // hides them all, the one with the lowest key; none when no item record
    // holds the link.
    std::optional<std::int64_t> itemKey();

    // The columns written, and the current source record's values for them,
    // converted as the item query's fields convert them.
    const QStringList& columns() const { return m_columns; }
    std::vector<QVariant> values();

private:
    struct Target {
        int sourceIndex;
        const Field* field;  // none for a column outside the item query's fields
    };

    Query& m_source;
    Query& m_items;
    std::vector<Target> m_targets;
    QStringList m_columns;
    StatementHandle m_keysWithLink;
};

}  // namespace store
