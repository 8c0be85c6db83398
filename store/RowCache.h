#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <unordered_map>
#include <vector>

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "store/Sqlite.h"

namespace store {

// The values of a table's rows by key, read a block of rows at a time with
// one prepared statement and kept up to a limit; the blocks read longest ago
// are dropped first. Rows are implicitly shared: a row handed out stays
// valid whatever the cache drops afterwards.
class RowCache {
public:
    using Row = QList<QVariant>;
    static constexpr int kBlockSize = 64;
    static constexpr std::size_t kDefaultLimit = 4096;
    // Keys read by one statement of values().
    static constexpr int kValueBlockSize = 512;

    explicit RowCache(std::size_t limit = kDefaultLimit);

    // The table and columns read. Forgets the rows and the statement.
    void setSource(const QString& table, const QStringList& columns);
    // Forgets every row.
    void clear();
    // Forgets one row, which the next read fetches again.
    void forget(std::int64_t key);
    // Finalizes the statement, before the connection's handle goes.
    void releaseStatement();
    std::size_t size() const { return m_rows.size(); }

    // The row whose key stands at `index` of `keys`. A miss reads the whole
    // block of kBlockSize keys that holds the index, counted from the first
    // key, so that any order of reading costs one statement per block: last
    // to first as much as first to last. Empty when the table no longer holds
    // the row.
    Row row(sqlite3* db, std::span<const std::int64_t> keys, std::size_t index);

    // The values of the source columns `columnIndexes` for each of up to
    // kValueBlockSize `keys`, key after key, read with one statement and kept
    // out of the cache; a key the table no longer holds reads null values.
    std::vector<QVariant> values(sqlite3* db, std::span<const std::int64_t> keys,
                                 const std::vector<int>& columnIndexes);

private:
    void readBlock(sqlite3* db, std::span<const std::int64_t> blockKeys);
    void makeRoom();

    std::size_t m_limit;
    QString m_table;
    QStringList m_columns;
    StatementHandle m_statement;
    StatementHandle m_valueStatement;
    std::vector<int> m_valueColumns;  // the columns m_valueStatement reads
    std::unordered_map<std::int64_t, Row> m_rows;
    std::deque<std::vector<std::int64_t>> m_blocks;  // keys of each block read, oldest first
};

}  // namespace store
