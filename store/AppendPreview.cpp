#include "store/AppendPreview.h"

#include <cstdint>
#include <unordered_map>

#include "store/Error.h"
#include "store/ItemDatabase.h"
#include "store/JetDialect.h"
#include "store/Progress.h"
#include "store/Sqlite.h"

namespace store {

namespace {

// The item table's row keys and links, copied into the connection's
// temporary database and indexed there, so that links are looked up as fast
// as the merge does without adding an index to the file.
class TemporaryLinkTable {
public:
    explicit TemporaryLinkTable(Connection& connection) : m_connection(connection) {
        connection.execute(QStringLiteral("CREATE TEMP TABLE ") + name() +
                           QStringLiteral(" AS SELECT rowid AS ") + keyColumn() +
                           QStringLiteral(", 宝贝链接 FROM main.BabyData"));
        connection.execute(
            QStringLiteral("CREATE INDEX temp.append_links_link ON append_links(宝贝链接)"));
    }
    ~TemporaryLinkTable() {
        if (m_connection.isOpen()) {
            try {
                m_connection.execute(QStringLiteral("DROP TABLE ") + name());
            } catch (const Error&) {
                // The temporary database goes with the connection anyway.
            }
        }
    }
    TemporaryLinkTable(const TemporaryLinkTable&) = delete;
    TemporaryLinkTable& operator=(const TemporaryLinkTable&) = delete;

    static QString name() { return QStringLiteral("temp.append_links"); }
    static QString keyColumn() { return QStringLiteral("item_key"); }

private:
    Connection& m_connection;
};

// Tells whether writing values to an item record would change it. The
// values are compared by the engine with the columns' own affinity, as the
// UPDATE would store them; a column that the schema step would add holds
// null until then.
class RecordComparer {
public:
    RecordComparer(Connection& connection, const QStringList& columns,
                   const QStringList& existingColumns) {
        QString conditions;
        for (qsizetype i = 0; i < columns.size(); ++i) {
            if (!existingColumns.contains(columns[i], Qt::CaseInsensitive)) {
                m_added.push_back(i);
                continue;
            }
            m_existing.push_back(i);
            conditions +=
                QStringLiteral(" AND ") + quoteIdentifier(columns[i]) + QStringLiteral(" IS ?");
        }
        m_same = prepare(connection.handle(),
                         QStringLiteral("SELECT 1 FROM BabyData WHERE rowid = ?") + conditions);
    }

    bool changes(std::int64_t key, const std::vector<QVariant>& values) {
        for (const qsizetype i : m_added) {
            if (!values[static_cast<std::size_t>(i)].isNull()) {
                return true;
            }
        }
        sqlite3_stmt* statement = m_same.get();
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
        sqlite3_bind_int64(statement, 1, key);
        int parameter = 2;
        for (const qsizetype i : m_existing) {
            bind(statement, parameter++, values[static_cast<std::size_t>(i)]);
        }
        const bool same = step(statement);
        sqlite3_reset(statement);
        return !same;
    }

private:
    std::vector<qsizetype> m_existing;
    std::vector<qsizetype> m_added;
    StatementHandle m_same;
};

}  // namespace

AppendPreview previewItemDatabaseAppend(ItemDatabase& database, const QString& sourcePath,
                                        Progress& progress) {
    Query& source = database.sourceQuery;
    openAppendSource(database, sourcePath, Access::ReadOnly);

    AppendPreview preview;
    const QStringList existingColumns = itemTableColumns(database);
    QStringList columns = existingColumns;
    preview.addedColumns = columnsToAppend(source, existingColumns);
    for (const AppendedColumn& column : preview.addedColumns) {
        // Preparing the statement meets the engine's refusal of it without running it.
        prepare(database.itemConnection.handle(), translateJetStatement(column.statement()));
        columns << column.name;
    }

    progress.setPosition(0);
    progress.show();
    progress.setMaximum(source.recordCount());
    const TemporaryLinkTable links(database.itemConnection);
    AppendMatcher matcher(database, columns, TemporaryLinkTable::name(),
                          TemporaryLinkTable::keyColumn());
    RecordComparer comparer(database.itemConnection, matcher.columns(), existingColumns);
    std::unordered_map<std::int64_t, bool>
        changing;  // by item record, the last source record decides
    for (source.first(); !source.eof(); source.next()) {
        ++preview.sourceRecords;
        const std::optional<std::int64_t> key = matcher.itemKey();
        if (!key) {
            ++preview.linksNotFound;
            continue;
        }
        ++preview.linksFound;
        changing[*key] = comparer.changes(*key, matcher.values());
        progress.step();
        progress.showCounts();
    }
    for (const auto& [key, changes] : changing) {
        ++(changes ? preview.changing : preview.unchanged);
    }
    return preview;
}

}  // namespace store
