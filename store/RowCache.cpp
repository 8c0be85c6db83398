#include "store/RowCache.h"

#include <algorithm>

namespace store {

RowCache::RowCache(std::size_t limit) : m_limit(std::max<std::size_t>(limit, kBlockSize)) {}

void RowCache::setSource(const QString& table, const QStringList& columns) {
    m_table = table;
    m_columns = columns;
    releaseStatement();
    clear();
}

void RowCache::clear() {
    m_rows.clear();
    m_blocks.clear();
}

void RowCache::forget(std::int64_t key) {
    m_rows.erase(key);
}

void RowCache::releaseStatement() {
    m_statement.reset();
    m_valueStatement.reset();
}

RowCache::Row RowCache::row(sqlite3* db, std::span<const std::int64_t> keys, std::size_t index) {
    const std::int64_t key = keys[index];
    auto it = m_rows.find(key);
    if (it != m_rows.end())
        return it->second;

    const std::size_t start = index - index % kBlockSize;
    readBlock(db, keys.subspan(start, std::min<std::size_t>(kBlockSize, keys.size() - start)));

    it = m_rows.find(key);
    return it == m_rows.end() ? Row() : it->second;
}

void RowCache::readBlock(sqlite3* db, std::span<const std::int64_t> blockKeys) {
    if (!m_statement) {
        QString sql = QStringLiteral("SELECT rowid");
        for (const QString& column : m_columns)
            sql += QStringLiteral(", ") + quoteIdentifier(column);
        sql += QStringLiteral(" FROM ") + quoteIdentifier(m_table) +
               QStringLiteral(" WHERE rowid IN (?");
        for (int i = 1; i < kBlockSize; ++i)
            sql += QStringLiteral(", ?");
        sql += u')';
        m_statement = prepare(db, sql);
    }
    makeRoom();

    sqlite3_stmt* statement = m_statement.get();
    sqlite3_reset(statement);
    for (int i = 0; i < kBlockSize; ++i) {
        if (static_cast<std::size_t>(i) < blockKeys.size())
            sqlite3_bind_int64(statement, i + 1, blockKeys[static_cast<std::size_t>(i)]);
        else
            sqlite3_bind_null(statement, i + 1);
    }
    const int columns = static_cast<int>(m_columns.size());
    while (step(statement)) {
        Row values;
        values.reserve(columns);
        for (int c = 0; c < columns; ++c)
            values.append(columnValue(statement, c + 1));
        m_rows.insert_or_assign(sqlite3_column_int64(statement, 0), std::move(values));
    }
    sqlite3_reset(statement);
    m_blocks.emplace_back(blockKeys.begin(), blockKeys.end());
}

std::vector<QVariant> RowCache::values(sqlite3* db, std::span<const std::int64_t> keys,
                                       const std::vector<int>& columnIndexes) {
    const std::size_t width = columnIndexes.size();
    std::vector<QVariant> values(keys.size() * width);
    if (keys.empty() || width == 0)
        return values;
    if (!m_valueStatement || m_valueColumns != columnIndexes) {
        QString sql = QStringLiteral("SELECT rowid");
        for (const int column : columnIndexes)
            sql += QStringLiteral(", ") + quoteIdentifier(m_columns.at(column));
        sql += QStringLiteral(" FROM ") + quoteIdentifier(m_table) +
               QStringLiteral(" WHERE rowid IN (?");
        for (int i = 1; i < kValueBlockSize; ++i)
            sql += QStringLiteral(", ?");
        sql += u')';
        m_valueStatement = prepare(db, sql);
        m_valueColumns = columnIndexes;
    }

    // The engine returns the rows in rowid order; each goes to the place of its key.
    std::vector<std::pair<std::int64_t, std::size_t>> places;
    places.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        places.emplace_back(keys[i], i);
    std::sort(places.begin(), places.end());

    sqlite3_stmt* statement = m_valueStatement.get();
    sqlite3_reset(statement);
    for (int i = 0; i < kValueBlockSize; ++i) {
        if (static_cast<std::size_t>(i) < keys.size())
            sqlite3_bind_int64(statement, i + 1, keys[static_cast<std::size_t>(i)]);
        else
            sqlite3_bind_null(statement, i + 1);
    }
    auto place = places.begin();
    while (step(statement)) {
        const std::int64_t key = sqlite3_column_int64(statement, 0);
        while (place != places.end() && place->first < key)
            ++place;
        for (; place != places.end() && place->first == key; ++place) {
            for (std::size_t c = 0; c < width; ++c)
                values[place->second * width + c] = columnValue(statement, static_cast<int>(c) + 1);
        }
    }
    sqlite3_reset(statement);
    return values;
}

void RowCache::makeRoom() {
    while (m_rows.size() + kBlockSize > m_limit && !m_blocks.empty()) {
        for (const std::int64_t key : m_blocks.front())
            m_rows.erase(key);
        m_blocks.pop_front();
    }
}

}  // namespace store
