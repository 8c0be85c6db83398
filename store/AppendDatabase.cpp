#include "store/AppendDatabase.h"

#include <cstdint>
#include <optional>
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

// Writes source records onto the item records with the same link. The item
// record is the first one the item query shows with that link, or, when its
// filter hides them all, the one with the lowest ID. Its new values, converted
// as the item query's fields convert them, and the values of the columns
// outside those fields are written in one UPDATE by the record's key, so that
// a value a field refuses leaves the whole record as it was.
class RecordCopier {
public:
    RecordCopier(ItemDatabase& database, const QStringList& tableColumns)
        : m_source(database.sourceQuery), m_items(database.itemQuery) {
        QString assignments;
        const auto assign = [&assignments](const QString& column) {
            assignments += (assignments.isEmpty() ? QString() : QStringLiteral(", ")) +
                           quoteIdentifier(column) + QStringLiteral(" = ?");
        };
        for (int i = 0; i < m_source.fieldCount(); ++i) {
            const QString& name = m_source.field(i).name();
            if (name == kIdField) {
                continue;
            }
            if (const Field* target = m_items.findField(name)) {
                m_targets.push_back({i, target});
                assign(target->name());
            } else if (tableColumns.contains(name, Qt::CaseInsensitive)) {
                m_targets.push_back({i, nullptr});
                assign(name);
            }
        }
        sqlite3* db = database.itemConnection.handle();
        m_findLink = prepare(
            db, QStringLiteral("SELECT ID FROM BabyData WHERE 宝贝链接 = ? ORDER BY ID LIMIT 1"));
        if (!assignments.isEmpty()) {
            m_update = prepare(db, QStringLiteral("UPDATE BabyData SET ") + assignments +
                                       QStringLiteral(" WHERE rowid = ?"));
        }
    }

    // Copies the current source record; false when its link is not in BabyData.
    bool copyCurrent() {
        const QString link = m_source.fieldByName(kLinkField).asText();
        const std::optional<std::int64_t> lowestId = firstIdWithLink(link);
        if (!lowestId) {
            return false;
        }
        const std::int64_t key =
            m_items.locate(kLinkField, link) ? m_items.bookmark().key : *lowestId;
        write(key);
        return true;
    }

private:
    struct Target {
        int sourceIndex;
        const Field* field;  // none for a column outside the item query's fields
    };

    std::optional<std::int64_t> firstIdWithLink(const QString& link) {
        sqlite3_stmt* statement = m_findLink.get();
        sqlite3_reset(statement);
        bind(statement, 1, link);
        std::optional<std::int64_t> id;
        if (step(statement)) {
            id = sqlite3_column_int64(statement, 0);
        }
        sqlite3_reset(statement);
        return id;
    }

    void write(std::int64_t key) {
        if (!m_update) {
            return;
        }
        const Query::Row values = m_source.currentRow();
        sqlite3_stmt* statement = m_update.get();
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
        int parameter = 1;
        for (const Target& target : m_targets) {
            const QVariant& value = values[target.sourceIndex];
            bind(statement, parameter++, target.field ? target.field->converted(value) : value);
        }
        sqlite3_bind_int64(statement, parameter, key);
        step(statement);
        sqlite3_reset(statement);
    }

    Query& m_source;
    Query& m_items;
    std::vector<Target> m_targets;
    StatementHandle m_findLink;
    StatementHandle m_update;
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
