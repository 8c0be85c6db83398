#include "store/AppendDatabase.h"

#include <cstdint>
#include <optional>

#include "store/AppendPlan.h"
#include "store/Error.h"
#include "store/ItemDatabase.h"
#include "store/Progress.h"
#include "store/Sqlite.h"

namespace store {

namespace {

QString quotedLiteral(const QString& text) {
    QString quoted = text;
    quoted.replace(u'\'', QStringLiteral("''"));
    return u'\'' + quoted + u'\'';
}

// Gives BabyData a column for every source field it lacks, compared without
// regard to case, so that appending the same source again adds nothing.
QStringList addMissingColumns(ItemDatabase& database, const AppendHooks& hooks) {
    QStringList columns = itemTableColumns(database);
    for (const AppendedColumn& column : columnsToAppend(database.sourceQuery, columns)) {
        database.workQuery.setSql(column.statement());
        database.workQuery.execute();
        columns << column.name;
        if (hooks.columnAdded) {
            hooks.columnAdded(column.name);
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

// Writes source records onto the item records with the same link, all the
// written values of a record in one UPDATE by its key, so that a value a
// field refuses leaves the whole record as it was.
class RecordCopier {
public:
    RecordCopier(ItemDatabase& database, const QStringList& tableColumns)
        : m_matcher(database, tableColumns, QStringLiteral("BabyData"), QStringLiteral("rowid")) {
        QStringList assignments;
        for (const QString& column : m_matcher.columns()) {
            assignments << quoteIdentifier(column) + QStringLiteral(" = ?");
        }
        if (!assignments.isEmpty()) {
            m_update = prepare(database.itemConnection.handle(),
                               QStringLiteral("UPDATE BabyData SET ") +
                                   assignments.join(QStringLiteral(", ")) +
                                   QStringLiteral(" WHERE rowid = ?"));
        }
    }

    // Copies the current source record; false when its link is not in BabyData.
    bool copyCurrent() {
        const std::optional<std::int64_t> key = m_matcher.itemKey();
        if (!key) {
            return false;
        }
        if (m_update) {
            write(*key);
        }
        return true;
    }

private:
    void write(std::int64_t key) {
        sqlite3_stmt* statement = m_update.get();
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
        int parameter = 1;
        for (const QVariant& value : m_matcher.values()) {
            bind(statement, parameter++, value);
        }
        sqlite3_bind_int64(statement, parameter, key);
        step(statement);
        sqlite3_reset(statement);
    }

    AppendMatcher m_matcher;
    StatementHandle m_update;
};

}  // namespace

void appendItemDatabase(ItemDatabase& database, const QString& sourcePath, Progress& progress,
                        const AppendHooks& hooks) {
    Query& source = database.sourceQuery;
    Query& items = database.itemQuery;
    openAppendSource(database, sourcePath, Access::ReadWrite);

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
