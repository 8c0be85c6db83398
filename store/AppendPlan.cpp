#include "store/AppendPlan.h"

#include <algorithm>
#include <unordered_set>

#include "store/ConnectionString.h"
#include "store/ItemTable.h"

namespace store {

namespace {

const QString kLinkField = QStringLiteral("宝贝链接");
const QString kIdField = QStringLiteral("ID");

// The column type that a source field of this kind gets in BabyData; none
// for an autoincrement field, which is the source's own row identity.
std::optional<QString> columnTypeFor(const Field& field) {
    switch (field.kind()) {
        case FieldKind::AutoInc:
            return std::nullopt;
        case FieldKind::Boolean:
            return QStringLiteral("Bit");
        case FieldKind::Integer:
            return QStringLiteral("Int");
        case FieldKind::WideString:
            return QStringLiteral("TEXT(%1)").arg(field.size());
        case FieldKind::Memo:
            return QStringLiteral("Memo");
        default:
            return QStringLiteral("TEXT");
    }
}

}  // namespace

void openAppendSource(ItemDatabase& database, const QString& path, Access access) {
    database.sourceConnection.close();
    database.sourceConnection.setConnectionString(
        access == Access::ReadOnly ? readOnlyConnectionStringFor(path) : connectionStringFor(path));
    database.sourceQuery.open();
}

QString AppendedColumn::statement() const {
    return QStringLiteral("alter table BabyData add COLUMN ") + name + u' ' + type;
}

QStringList itemTableColumns(ItemDatabase& database) {
    QStringList columns;
    StatementHandle info =
        prepare(database.itemConnection.handle(),
                QStringLiteral("PRAGMA table_info(") + quoteIdentifier(itemTableName()) + u')');
    while (step(info.get())) {
        columns << columnValue(info.get(), 1).toString();
    }
    return columns;
}

std::vector<AppendedColumn> columnsToAppend(const Query& source, QStringList tableColumns) {
    std::vector<AppendedColumn> added;
    for (int i = 0; i < source.fieldCount(); ++i) {
        const Field& field = source.field(i);
        const std::optional<QString> type = columnTypeFor(field);
        if (!type || tableColumns.contains(field.name(), Qt::CaseInsensitive)) {
            continue;
        }
        added.push_back({field.name(), *type});
        tableColumns << field.name();
    }
    return added;
}

AppendMatcher::AppendMatcher(ItemDatabase& database, const QStringList& tableColumns,
                             const QString& linkTable, const QString& keyColumn)
    : m_source(database.sourceQuery), m_items(database.itemQuery) {
    for (int i = 0; i < m_source.fieldCount(); ++i) {
        const QString& name = m_source.field(i).name();
        if (name == kIdField) {
            continue;
        }
        if (const Field* target = m_items.findField(name)) {
            m_targets.push_back({i, target});
            m_columns << target->name();
        } else if (tableColumns.contains(name, Qt::CaseInsensitive)) {
            m_targets.push_back({i, nullptr});
            m_columns << name;
        }
    }
    m_keysWithLink = prepare(database.itemConnection.handle(),
                             QStringLiteral("SELECT ") + keyColumn + QStringLiteral(" FROM ") +
                                 linkTable + QStringLiteral(" WHERE 宝贝链接 = ?"));
}

std::optional<std::int64_t> AppendMatcher::itemKey() {
    sqlite3_stmt* statement = m_keysWithLink.get();
    sqlite3_reset(statement);
    bind(statement, 1, m_source.fieldByName(kLinkField).asText());
    std::unordered_set<std::int64_t> keys;
    while (step(statement)) {
        keys.insert(sqlite3_column_int64(statement, 0));
    }
    sqlite3_reset(statement);
    if (keys.empty()) {
        return std::nullopt;
    }
    if (const std::optional<std::int64_t> shown = m_items.firstKeyAmong(keys)) {
        return shown;
    }
    return *std::min_element(keys.begin(), keys.end());
}

std::vector<QVariant> AppendMatcher::values() {
    const Query::Row row = m_source.currentRow();
    std::vector<QVariant> values;
    values.reserve(m_targets.size());
    for (const Target& target : m_targets) {
        const QVariant& value = row[target.sourceIndex];
        values.push_back(target.field ? target.field->converted(value) : value);
    }
    return values;
}

}  // namespace store
