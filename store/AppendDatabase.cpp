#include "store/AppendDatabase.h"

#include <optional>
#include <utility>
#include <vector>

#include "store/ConnectionString.h"
#include "store/Error.h"
#include "store/ItemDatabase.h"
#include "store/ItemTable.h"
#include "store/Progress.h"
#include "store/Sqlite.h"

namespace store {

namespace {

const QString kLinkField = QStringLiteral("宝贝链接");
const QString kIdField = QStringLiteral("ID");

QString quotedLiteral(const QString& text) {
    QString quoted = text;
    quoted.replace(u'\'', QStringLiteral("''"));
    return u'\'' + quoted + u'\'';
}

QString sqlLiteral(const QVariant& value) {
    if (value.isNull()) {
        return QStringLiteral("NULL");
    }
    switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::Bool:
            return QString::number(value.toLongLong());
        case QMetaType::Double:
            return QString::number(value.toDouble(), 'g', 17);
        default:
            return quotedLiteral(value.toString());
    }
}

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

QStringList tableColumns(Connection& connection, const QString& table) {
    QStringList columns;
    StatementHandle info = prepare(
        connection.handle(), QStringLiteral("PRAGMA table_info(") + quoteIdentifier(table) + u')');
    while (step(info.get())) {
        columns << columnValue(info.get(), 1).toString();
    }
    return columns;
}

// Gives BabyData a column for every source field it lacks, compared without
// regard to case, so that appending the same source again adds nothing.
QStringList addMissingColumns(ItemDatabase& database, const AppendHooks& hooks) {
    QStringList columns = tableColumns(database.itemConnection, itemTableName());
    const Query& source = database.sourceQuery;
    for (int i = 0; i < source.fieldCount(); ++i) {
        const Field& field = source.field(i);
        const std::optional<QString> type = columnTypeFor(field);
        if (!type || columns.contains(field.name(), Qt::CaseInsensitive)) {
            continue;
        }
        database.workQuery.setSql(QStringLiteral("alter table BabyData add COLUMN ") +
                                  field.name() + u' ' + *type);
        database.workQuery.execute();
        columns << field.name();
        if (hooks.columnAdded) {
            hooks.columnAdded(field.name());
        }
    }
    return columns;
}

// Looking up a link once per source record must not scan the table: an index
// on 宝贝链接 is made for the merge and dropped after it, unless the file had one.
class LinkIndex {
public:
    explicit LinkIndex(Connection& connection) : m_connection(connection) {
        StatementHandle existing =
            prepare(connection.handle(),
                    QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ") +
                        quotedLiteral(name()));
        if (!step(existing.get())) {
            connection.execute(QStringLiteral("CREATE INDEX ") + quoteIdentifier(name()) +
                               QStringLiteral(" ON BabyData(宝贝链接)"));
            m_made = true;
        }
    }
    ~LinkIndex() {
        if (m_made && m_connection.isOpen()) {
            try {
                m_connection.execute(QStringLiteral("DROP INDEX ") + quoteIdentifier(name()));
            } catch (const Error&) {
                // A leftover index only speeds the next merge up.
            }
        }
    }
    LinkIndex(const LinkIndex&) = delete;
    LinkIndex& operator=(const LinkIndex&) = delete;

private:
    static QString name() { return QStringLiteral("BabyData_宝贝链接_append"); }

    Connection& m_connection;
    bool m_made = false;
};

// Writes source records onto the item records with the same link.
class RecordCopier {
public:
    RecordCopier(ItemDatabase& database, const QStringList& tableColumns)
        : m_source(database.sourceQuery), m_items(database.itemQuery), m_work(database.workQuery) {
        for (int i = 0; i < m_source.fieldCount(); ++i) {
            const QString& name = m_source.field(i).name();
            if (name == kIdField) {
                continue;
            }
            if (Field* target = m_items.findField(name)) {
                m_itemFields.emplace_back(i, target);
            } else if (tableColumns.contains(name, Qt::CaseInsensitive)) {
                m_otherColumns.emplace_back(i, name);
            }
        }
    }

    // Copies the current source record; false when its link is not in BabyData.
    bool copyCurrent() {
        const QString link = m_source.fieldByName(kLinkField).asText();
        if (!linkExists(link)) {
            return false;
        }
        if (m_items.locate(kLinkField, link)) {
            setItemFields();
            writeColumns(m_otherColumns, m_items.fieldByName(kIdField).value());
        } else {
            writeHiddenRecord(link);
        }
        return true;
    }

private:
    using Column = std::pair<int, QString>;  // source field index, column name

    bool linkExists(const QString& link) {
        m_work.setSql(QStringLiteral("select 宝贝链接 from BabyData where 宝贝链接=") +
                      quotedLiteral(link));
        m_work.open();
        const bool found = m_work.recordCount() > 0;
        m_work.close();
        return found;
    }

    // Edits the located item record; a value that a field refuses cancels the
    // whole record, so that nothing half-set is posted by a later move.
    void setItemFields() {
        m_items.edit();
        try {
            for (const auto& [sourceIndex, target] : m_itemFields) {
                target->setValue(m_source.field(sourceIndex).value());
            }
            m_items.post();
        } catch (...) {
            m_items.cancel();
            throw;
        }
    }

    // A record that the item query's filter hides gets the same values, converted
    // as its fields would convert them, by its ID.
    void writeHiddenRecord(const QString& link) {
        m_work.setSql(QStringLiteral("select ID from BabyData where 宝贝链接=") +
                      quotedLiteral(link) + QStringLiteral(" order by ID"));
        m_work.open();
        const QVariant id = m_work.field(0).value();
        m_work.close();

        std::vector<std::pair<QString, QVariant>> values;
        for (const auto& [sourceIndex, target] : m_itemFields) {
            values.emplace_back(target->name(),
                                target->converted(m_source.field(sourceIndex).value()));
        }
        for (const auto& [sourceIndex, column] : m_otherColumns) {
            values.emplace_back(column, m_source.field(sourceIndex).value());
        }
        update(values, id);
    }

    void writeColumns(const std::vector<Column>& columns, const QVariant& id) {
        std::vector<std::pair<QString, QVariant>> values;
        for (const auto& [sourceIndex, column] : columns) {
            values.emplace_back(column, m_source.field(sourceIndex).value());
        }
        update(values, id);
    }

    void update(const std::vector<std::pair<QString, QVariant>>& values, const QVariant& id) {
        if (values.empty()) {
            return;
        }
        QString assignments;
        for (const auto& [column, value] : values) {
            assignments += (assignments.isEmpty() ? QString() : QStringLiteral(", ")) +
                           quoteIdentifier(column) + u'=' + sqlLiteral(value);
        }
        m_work.setSql(QStringLiteral("update BabyData set ") + assignments +
                      QStringLiteral(" where ID=") + sqlLiteral(id));
        m_work.execute();
    }

    Query& m_source;
    Query& m_items;
    Query& m_work;
    std::vector<std::pair<int, Field*>> m_itemFields;
    std::vector<Column> m_otherColumns;
};

}  // namespace

void appendItemDatabase(ItemDatabase& database, const QString& sourcePath, Progress& progress,
                        const AppendHooks& hooks) {
    Query& source = database.sourceQuery;
    Query& items = database.itemQuery;
    database.sourceConnection.close();
    database.sourceConnection.setConnectionString(connectionStringFor(sourcePath));
    source.open();

    const QStringList columns = addMissingColumns(database, hooks);
    items.close();
    items.open();

    progress.setPosition(0);
    progress.show();
    progress.setMaximum(source.recordCount());
    {
        const LinkIndex index(database.itemConnection);
        Connection::Batch batch(database.itemConnection);
        RecordCopier copier(database, columns);
        for (source.first(); !source.eof(); source.next()) {
            if (copier.copyCurrent()) {
                progress.step();
                progress.showCounts();
            }
        }
        batch.commit();
    }
    items.requery();
    if (hooks.reportSuccess) {
        hooks.reportSuccess();
    }
}

}  // namespace store
