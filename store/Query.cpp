#include "store/Query.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

#include <QRegularExpression>

#include "store/Connection.h"
#include "store/DataLink.h"
#include "store/DataSource.h"
#include "store/Error.h"
#include "store/JetDialect.h"

namespace store {

namespace {

// "Select * from T" names the table T read by a keyset query.
QString recordNotFound() {
    return QStringLiteral("Record not found or changed by another user");
}

QString tableOfSelectStar(const QString& sql) {
    static const QRegularExpression selectStar(
        QString::fromUtf8(
            R"re(^\s*select\s+\*\s+from\s+(?:\[([^\]]+)\]|"([^"]+)"|([^\s;\[\]"]+))\s*;?\s*$)re"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = selectStar.match(sql);
    if (!match.hasMatch())
        return {};
    for (int group = 1; group <= 3; ++group) {
        if (!match.captured(group).isEmpty())
            return match.captured(group);
    }
    return {};
}

}  // namespace

Query::Query(Connection& connection, QString name)
    : m_connection(connection), m_name(std::move(name)) {
    m_connection.attach(this);
}

Query::~Query() {
    for (DataSource* source : std::vector<DataSource*>(m_sources))
        source->setDataSet(nullptr);
    close();
    m_connection.detach(this);
}

void Query::raise(const QString& message) const {
    throw Error(m_name + QStringLiteral(": ") + message);
}

void Query::setSql(const QString& sql) {
    close();
    m_sql = sql;
}

void Query::setDeclaredFields(std::vector<FieldDef> fields) {
    close();
    m_declared = std::move(fields);
    m_fields.clear();
    for (std::size_t i = 0; i < m_declared.size(); ++i)
        m_fields.push_back(std::make_unique<Field>(*this, static_cast<int>(i), m_declared[i]));
}

// ---------------------------------------------------------------- open and close

void Query::open() {
    if (isActive())
        return;
    openResult();
    m_cursor = isEmpty() ? -1 : 0;
    m_bof = true;
    m_eof = isEmpty();
    setState(DataSetState::Browse);
    notify(afterOpen);
    if (!isEmpty())
        notify(afterScroll);
}

void Query::openResult() {
    sqlite3* db = m_connection.handle();
    m_rows.clear();
    m_keys.clear();
    resetStatements();
    m_table = tableOfSelectStar(m_sql);
    m_mode = m_table.isEmpty() ? Mode::Static : Mode::Table;

    if (m_mode == Mode::Static) {
        StatementHandle statement = prepare(db, translateJetStatement(m_sql));
        buildFieldsFromResult(statement.get());
        const int columns = sqlite3_column_count(statement.get());
        std::vector<std::int64_t> indexes;
        while (step(statement.get())) {
            Row row;
            row.reserve(columns);
            for (int c = 0; c < columns; ++c)
                row.append(columnValue(statement.get(), c));
            indexes.push_back(static_cast<std::int64_t>(m_rows.size()));
            m_rows.push_back(std::move(row));
        }
        m_keys.assign(std::move(indexes));
        return;
    }

    // Preparing the plain statement gives the engine's own message for a missing table.
    prepare(db, QStringLiteral("SELECT * FROM ") + quoteIdentifier(m_table) +
                    QStringLiteral(" LIMIT 0"));
    StatementHandle info =
        prepare(db, QStringLiteral("PRAGMA table_info(") + quoteIdentifier(m_table) + u')');
    QStringList names, types;
    std::vector<bool> rowidAlias;
    int primaryKeyColumns = 0;
    while (step(info.get())) {
        names << columnValue(info.get(), 1).toString();
        types << columnValue(info.get(), 2).toString();
        const bool primary = columnValue(info.get(), 5).toInt() > 0;
        primaryKeyColumns += primary ? 1 : 0;
        rowidAlias.push_back(primary && types.back().trimmed().compare(QStringLiteral("INTEGER"),
                                                                       Qt::CaseInsensitive) == 0);
    }
    if (primaryKeyColumns != 1)
        std::fill(rowidAlias.begin(), rowidAlias.end(), false);

    checkDeclaredFields(names, types, rowidAlias);
    m_cache.setSource(m_table, m_columns);
    // The filter belongs to the query and outlives closing: opening re-applies it.
    CompiledFilter compiled;
    if (m_filtered)
        compiled = compileFilter(m_filter, filterColumns());
    m_filterSql = std::move(compiled.sql);
    m_filterArgs = std::move(compiled.args);
    if (m_keysOnDemand)
        deferKeys();
    else
        loadKeys();
}

void Query::checkDeclaredFields(const QStringList& columns, const QStringList& types,
                                const std::vector<bool>& rowidAlias) {
    m_columns.clear();
    m_rowidColumn.clear();
    const auto columnIndex = [&](const QString& name) {
        for (qsizetype i = 0; i < columns.size(); ++i) {
            if (columns[i].compare(name, Qt::CaseInsensitive) == 0)
                return static_cast<int>(i);
        }
        return -1;
    };

    if (m_declared.empty()) {
        m_fields.clear();
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const DeclaredType type =
                declaredTypeOf(types[i], rowidAlias[static_cast<std::size_t>(i)]);
            m_fields.push_back(std::make_unique<Field>(*this, static_cast<int>(i),
                                                       FieldDef{columns[i], type.kind, type.size}));
            m_columns << columns[i];
        }
    } else {
        for (const FieldDef& def : m_declared) {
            const int c = columnIndex(def.name);
            if (c < 0)
                raise(QStringLiteral("Field '") + def.name + QStringLiteral("' not found"));
            const DeclaredType type =
                declaredTypeOf(types[c], rowidAlias[static_cast<std::size_t>(c)]);
            if (!kindsCompatible(def.kind, type.kind)) {
                raise(QStringLiteral("Type mismatch for field '") + def.name +
                      QStringLiteral("', expecting: ") + fieldKindName(def.kind) +
                      QStringLiteral(" actual: ") + fieldKindName(type.kind));
            }
            m_columns << columns[c];
        }
    }
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (!rowidAlias[static_cast<std::size_t>(i)])
            continue;
        const qsizetype field = m_columns.indexOf(columns[i]);
        if (field >= 0)
            m_rowidColumn = columns[i];
    }
}

void Query::buildFieldsFromResult(sqlite3_stmt* statement) {
    if (!m_declared.empty())
        raise(QStringLiteral("a declared field list needs a \"Select * from\" statement"));
    m_fields.clear();
    m_columns.clear();
    const int count = sqlite3_column_count(statement);
    for (int c = 0; c < count; ++c) {
        const char* declared = sqlite3_column_decltype(statement, c);
        const DeclaredType type =
            declaredTypeOf(QString::fromUtf8(declared ? declared : ""), false);
        const QString name = QString::fromUtf8(sqlite3_column_name(statement, c));
        m_fields.push_back(std::make_unique<Field>(*this, c, FieldDef{name, type.kind, type.size}));
        m_columns << name;
    }
}

QString Query::keysetSql(const QString& filterSql, const QString& sortSql) const {
    QString sql = QStringLiteral("SELECT rowid FROM ") + quoteIdentifier(m_table);
    if (!filterSql.isEmpty())
        sql += QStringLiteral(" WHERE ") + filterSql;
    if (!sortSql.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + sortSql + QStringLiteral(", rowid");
    return sql;
}

void Query::raiseKeyError(const Error& error) const {
    if (m_filterSql.isEmpty())
        throw error;
    throw Error(filterErrorPrefix(m_filter) + error.message());
}

void Query::loadKeys() {
    try {
        readKeys();
    } catch (const Error& error) {
        raiseKeyError(error);
    }
}

void Query::readKeys() {
    m_keys.assign(selectKeys());
    m_keysPending = false;
    m_cache.clear();
}

StatementHandle Query::prepareFiltered(const QString& sql) const {
    StatementHandle statement = prepare(m_connection.handle(), sql);
    for (std::size_t i = 0; i < m_filterArgs.size(); ++i)
        bind(statement.get(), static_cast<int>(i + 1), m_filterArgs[i]);
    return statement;
}

QString Query::selectPassingRows(const QString& resultColumns) const {
    QString sql = QStringLiteral("SELECT ") + resultColumns + QStringLiteral(" FROM ") +
                  quoteIdentifier(m_table);
    if (!m_filterSql.isEmpty())
        sql += QStringLiteral(" WHERE ") + m_filterSql;
    return sql;
}

std::vector<std::int64_t> Query::selectKeys() const {
    StatementHandle statement = prepareFiltered(keysetSql(m_filterSql, m_sortSql));
    std::vector<std::int64_t> keys;
    while (step(statement.get()))
        keys.push_back(sqlite3_column_int64(statement.get(), 0));
    return keys;
}

// Whether any row passes the filter is all that opening needs to know; the
// statement stops at the first one.
void Query::deferKeys() {
    try {
        StatementHandle statement =
            prepareFiltered(selectPassingRows(QStringLiteral("1")) + QStringLiteral(" LIMIT 1"));
        m_pendingHasRows = step(statement.get());
    } catch (const Error& error) {
        raiseKeyError(error);
    }
    m_keys.clear();
    m_cache.clear();
    m_keysPending = true;
    m_pendingCount = -1;
}

void Query::readPendingKeys() const {
    if (!m_keysPending)
        return;
    try {
        m_keys.assign(selectKeys());
    } catch (const Error& error) {
        raiseKeyError(error);
    }
    m_keysPending = false;
}

void Query::close() {
    if (!isActive())
        return;
    m_buffer.clear();
    m_modified = false;
    m_keys.clear();
    m_keysPending = false;
    m_rows.clear();
    resetStatements();
    m_cursor = -1;
    m_bof = m_eof = true;
    m_sort.clear();
    m_sortSql.clear();
    if (m_declared.empty())
        m_fields.clear();
    setState(DataSetState::Inactive);
    notify(afterClose);
}

void Query::resetStatements() {
    m_cache.releaseStatement();
    m_cache.clear();
    m_insertStatements.clear();
}

void Query::forgetConnectionHandle() {
    resetStatements();
}

void Query::reloadAfterRollback() noexcept {
    if (!isActive() || m_mode != Mode::Table)
        return;
    try {
        cancel();
        loadKeys();
    } catch (const Error&) {
        // The rows stay as they were read; the next requery reads them again.
        m_cache.clear();
        return;
    }
    m_cursor = isEmpty() ? -1 : 0;
    m_bof = true;
    m_eof = isEmpty();
    forEachLink([](DataLink& link) { link.dataSetChanged(); });
}

void Query::execute() {
    close();
    m_connection.execute(m_sql);
}

void Query::requery() {
    if (!isActive()) {
        open();
        return;
    }
    settle();
    loadKeys();
    m_cursor = isEmpty() ? -1 : 0;
    m_bof = true;
    m_eof = isEmpty();
    forEachLink([](DataLink& link) { link.dataSetChanged(); });
    notify(afterScroll);
}

// ---------------------------------------------------------------- rows

int Query::recordCount() const {
    if (!m_keysPending)
        return m_keys.keyCount();
    if (m_pendingCount < 0) {
        try {
            StatementHandle statement =
                prepareFiltered(selectPassingRows(QStringLiteral("count(*)")));
            step(statement.get());
            m_pendingCount = sqlite3_column_int(statement.get(), 0);
        } catch (const Error& error) {
            raiseKeyError(error);
        }
    }
    return m_pendingCount;
}

int Query::rowCount() const {
    readPendingKeys();
    return m_keys.rowCount();
}

bool Query::isEmpty() const {
    return m_keysPending ? !m_pendingHasRows : rowCount() == 0;
}

Query::Row Query::fetchRow(int row) {
    const Row values = readRow(row);
    // A row that another process deleted since the keys were read shows empty.
    return values.isEmpty() ? nullRow() : values;
}

Query::Row Query::readRow(int row) {
    if (row < 0 || row >= rowCount())
        return nullRow();
    if (row == m_keys.gapRow() || (m_state == DataSetState::Edit && row == m_cursor))
        return m_buffer;
    const int index = m_keys.indexOfRow(row);
    if (m_mode == Mode::Static)
        return m_rows[static_cast<std::size_t>(m_keys.keys()[static_cast<std::size_t>(index)])];
    return m_cache.row(m_connection.handle(), m_keys.keys(), static_cast<std::size_t>(index));
}

Query::Row Query::nullRow() {
    if (m_nullRow.size() != fieldCount())
        m_nullRow = Row(fieldCount());
    return m_nullRow;
}

QVariant Query::rowValue(int row, int fieldIndex) {
    const Row values = fetchRow(row);
    if (fieldIndex < 0 || fieldIndex >= values.size())
        return {};
    return values[fieldIndex];
}

std::vector<QVariant> Query::rowValues(int firstRow, int count,
                                       const std::vector<int>& fieldIndexes) {
    const std::size_t width = fieldIndexes.size();
    firstRow = std::max(firstRow, 0);
    count = std::max(0, std::min(count, rowCount() - firstRow));
    std::vector<QVariant> values(static_cast<std::size_t>(count) * width);
    const auto at = [&](int row) { return values.begin() + (row - firstRow) * width; };
    // The record being inserted or edited, and every row of a statement read
    // whole, are held by the dataset itself.
    const auto heldHere = [&](int row) {
        return m_mode == Mode::Static || row == m_keys.gapRow() ||
               (m_state == DataSetState::Edit && row == m_cursor);
    };
    for (int row = firstRow; row < firstRow + count;) {
        if (heldHere(row)) {
            const Row held = fetchRow(row);
            std::transform(fieldIndexes.begin(), fieldIndexes.end(), at(row),
                           [&](int field) { return held.value(field); });
            ++row;
            continue;
        }
        int end = row + 1;
        while (end < firstRow + count && end - row < RowCache::kValueBlockSize && !heldHere(end))
            ++end;
        const auto keys = m_keys.keys().subspan(static_cast<std::size_t>(m_keys.indexOfRow(row)),
                                                static_cast<std::size_t>(end - row));
        std::vector<QVariant> read = m_cache.values(m_connection.handle(), keys, fieldIndexes);
        std::move(read.begin(), read.end(), at(row));
        row = end;
    }
    return values;
}

Query::Row Query::currentRow() {
    Row values = readRow(m_cursor);
    if (values.isEmpty() && fieldCount() > 0)
        raise(recordNotFound());
    return values;
}

QVariant Query::currentValue(int fieldIndex) {
    if (m_cursor < 0)
        return {};
    return rowValue(m_cursor, fieldIndex);
}

void Query::setCurrentValue(int fieldIndex, const QVariant& value) {
    if (!isEditing())
        raise(QStringLiteral("Dataset not in edit or insert mode"));
    m_buffer[static_cast<std::size_t>(fieldIndex)] = value;
    m_changed[static_cast<std::size_t>(fieldIndex)] = true;
    m_modified = true;
    Field* changed = m_fields[static_cast<std::size_t>(fieldIndex)].get();
    forEachLink([changed](DataLink& link) { link.recordChanged(changed); });
}

QStringList Query::fieldTexts(int fieldIndex) {
    QStringList texts;
    if (!isActive() || fieldIndex < 0 || fieldIndex >= fieldCount())
        return texts;
    if (m_mode == Mode::Static) {
        texts.reserve(static_cast<qsizetype>(m_rows.size()));
        for (const std::int64_t index : m_keys.keys())
            texts << Field::textOf(m_rows[static_cast<std::size_t>(index)][fieldIndex]);
        return texts;
    }
    StatementHandle statement =
        prepareFiltered(selectPassingRows(quoteIdentifier(m_columns[fieldIndex])));
    texts.reserve(recordCount());
    while (step(statement.get()))
        texts << Field::textOf(columnValue(statement.get(), 0));
    return texts;
}

// ---------------------------------------------------------------- moves

void Query::setCursor(int row) {
    m_cursor = row;
}

void Query::afterMove(int oldRow) {
    const int distance = m_cursor - oldRow;
    forEachLink([distance](DataLink& link) { link.dataSetScrolled(distance); });
    notify(afterScroll);
}

void Query::first() {
    if (!isActive())
        raise(QStringLiteral("Cannot perform this operation on a closed dataset"));
    settle();
    const int old = m_cursor;
    setCursor(isEmpty() ? -1 : 0);
    m_bof = true;
    m_eof = isEmpty();
    afterMove(old);
}

void Query::last() {
    if (!isActive())
        raise(QStringLiteral("Cannot perform this operation on a closed dataset"));
    settle();
    const int old = m_cursor;
    setCursor(rowCount() - 1);
    m_eof = true;
    m_bof = isEmpty();
    afterMove(old);
}

void Query::next() {
    moveBy(1);
}

void Query::prior() {
    moveBy(-1);
}

int Query::moveBy(int distance) {
    if (!isActive())
        raise(QStringLiteral("Cannot perform this operation on a closed dataset"));
    settle();
    const int old = m_cursor;
    if (isEmpty()) {
        m_bof = m_eof = true;
        afterMove(old);
        return 0;
    }
    const int target = old + distance;
    if (target >= rowCount()) {
        setCursor(rowCount() - 1);
        m_eof = true;
        m_bof = false;
    } else if (target < 0) {
        setCursor(0);
        m_bof = true;
        m_eof = false;
    } else {
        setCursor(target);
        m_bof = m_eof = false;
    }
    afterMove(old);
    return m_cursor - old;
}

void Query::moveTo(int row) {
    if (!isActive())
        raise(QStringLiteral("Cannot perform this operation on a closed dataset"));
    if (row == m_cursor)
        return;
    settle();
    const int old = m_cursor;
    if (isEmpty()) {
        m_bof = m_eof = true;
    } else {
        setCursor(std::clamp(row, 0, rowCount() - 1));
        m_bof = m_eof = false;
    }
    afterMove(old);
}

// ---------------------------------------------------------------- editing

bool Query::canModify() const {
    return isActive() && m_mode == Mode::Table &&
           !sqlite3_db_readonly(m_connection.handle(), "main");
}

void Query::settle() {
    if (!isEditing())
        return;
    forEachLink([](DataLink& link) { link.updateData(); });
    if (m_modified)
        postRecord();
    else
        cancel();
}

void Query::edit() {
    if (!isActive())
        raise(QStringLiteral("Cannot perform this operation on a closed dataset"));
    if (isEditing())
        return;
    if (isEmpty()) {
        insert();
        return;
    }
    if (!canModify())
        raise(QStringLiteral("Cannot modify a read-only dataset"));
    m_buffer = fetchRow(m_cursor);
    m_changed.assign(m_fields.size(), false);
    m_modified = false;
    setState(DataSetState::Edit);
    notify(afterEdit);
}

void Query::insert() {
    beginRecord(false);
}

void Query::append() {
    beginRecord(true);
}

void Query::beginRecord(bool appendAtEnd) {
    if (!isActive())
        raise(QStringLiteral("Cannot perform this operation on a closed dataset"));
    if (!canModify())
        raise(QStringLiteral("Cannot modify a read-only dataset"));
    settle();
    readPendingKeys();
    m_keys.openGap(appendAtEnd ? m_keys.keyCount() : std::max(m_cursor, 0));
    m_buffer = nullRow();
    m_changed.assign(m_fields.size(), false);
    m_modified = false;
    setCursor(m_keys.gapRow());
    m_bof = false;
    m_eof = appendAtEnd;
    setState(DataSetState::Insert);
    notify(afterInsert);
    notify(afterScroll);
}

void Query::post() {
    forEachLink([](DataLink& link) { link.updateData(); });
    if (isEditing())
        postRecord();
}

void Query::postRecord() {
    writeRecord();
    m_buffer.clear();
    m_modified = false;
    m_bof = m_eof = false;
    setState(DataSetState::Browse);
    notify(afterPost);
}

void Query::writeRecord() {
    sqlite3* db = m_connection.handle();
    const std::size_t count = m_fields.size();
    const auto isRowidField = [&](std::size_t i) {
        return !m_rowidColumn.isEmpty() && m_columns[static_cast<qsizetype>(i)] == m_rowidColumn;
    };

    if (m_state == DataSetState::Insert) {
        sqlite3_stmt* statement = insertStatement();
        sqlite3_reset(statement);
        int parameter = 1;
        for (std::size_t i = 0; i < count; ++i) {
            if (m_changed[i])
                bind(statement, parameter++, m_buffer[i]);
        }
        step(statement);
        sqlite3_reset(statement);
        const std::int64_t key = sqlite3_last_insert_rowid(db);
        refuseKeyBeyondIdField(key);
        m_keys.fillGap(key);
        m_cache.forget(key);
        return;
    }

    readPendingKeys();
    const std::int64_t oldKey = m_keys.keyAt(m_cursor);
    std::int64_t newKey = oldKey;
    QString assignments;
    std::vector<QVariant> args;
    for (std::size_t i = 0; i < count; ++i) {
        if (!m_changed[i])
            continue;
        assignments += (assignments.isEmpty() ? QString() : QStringLiteral(", ")) +
                       quoteIdentifier(m_columns[static_cast<qsizetype>(i)]) +
                       QStringLiteral(" = ?");
        args.push_back(m_buffer[i]);
        if (isRowidField(i) && !m_buffer[i].isNull())
            newKey = m_buffer[i].toLongLong();
    }
    if (assignments.isEmpty())
        return;
    StatementHandle statement =
        prepare(db, QStringLiteral("UPDATE ") + quoteIdentifier(m_table) + QStringLiteral(" SET ") +
                        assignments + QStringLiteral(" WHERE rowid = ?"));
    for (std::size_t i = 0; i < args.size(); ++i)
        bind(statement.get(), static_cast<int>(i + 1), args[i]);
    sqlite3_bind_int64(statement.get(), static_cast<int>(args.size() + 1), oldKey);
    step(statement.get());
    if (sqlite3_changes(db) == 0)
        raise(recordNotFound());
    m_cache.forget(oldKey);
    m_cache.forget(newKey);
    m_keys.replaceAt(m_cursor, newKey);
}

sqlite3_stmt* Query::insertStatement() {
    const auto found =
        std::find_if(m_insertStatements.begin(), m_insertStatements.end(),
                     [&](const InsertStatement& insert) { return insert.columns == m_changed; });
    if (found != m_insertStatements.end()) {
        std::rotate(m_insertStatements.begin(), found, found + 1);
        return m_insertStatements.front().statement.get();
    }

    QString columns, values;
    for (std::size_t i = 0; i < m_changed.size(); ++i) {
        if (!m_changed[i])
            continue;
        columns += (columns.isEmpty() ? QString() : QStringLiteral(", ")) +
                   quoteIdentifier(m_columns[static_cast<qsizetype>(i)]);
        values += values.isEmpty() ? QStringLiteral("?") : QStringLiteral(", ?");
    }
    // Fields left out take the column's DEFAULT.
    const QString target = QStringLiteral("INSERT INTO ") + quoteIdentifier(m_table);
    const QString sql = columns.isEmpty() ? target + QStringLiteral(" DEFAULT VALUES")
                                          : QString(target + QStringLiteral(" (") + columns +
                                                    QStringLiteral(") VALUES (") + values + u')');
    StatementHandle statement = prepare(m_connection.handle(), sql);
    if (m_insertStatements.size() == kInsertStatements)
        m_insertStatements.pop_back();
    m_insertStatements.insert(m_insertStatements.begin(), {m_changed, std::move(statement)});
    return m_insertStatements.front().statement.get();
}

void Query::refuseKeyBeyondIdField(std::int64_t key) {
    if (m_rowidColumn.isEmpty() || key <= std::numeric_limits<std::int32_t>::max())
        return;
    // The engine numbers past what the ID field holds: take the row back, so
    // that no record gets an ID that an item file cannot carry.
    StatementHandle undo =
        prepare(m_connection.handle(), QStringLiteral("DELETE FROM ") + quoteIdentifier(m_table) +
                                           QStringLiteral(" WHERE rowid = ?"));
    sqlite3_bind_int64(undo.get(), 1, key);
    step(undo.get());
    raise(QStringLiteral("Value ") + QString::number(key) +
          QStringLiteral(" is out of range for field '") + m_rowidColumn +
          QStringLiteral("': no automatic IDs are left"));
}

void Query::cancel() {
    if (!isEditing())
        return;
    if (m_state == DataSetState::Insert) {
        const int row = m_keys.gapRow();
        m_keys.closeGap();
        setCursor(std::min(row, m_keys.keyCount() - 1));
    }
    m_buffer.clear();
    m_modified = false;
    m_bof = m_eof = isEmpty();
    setState(DataSetState::Browse);
    notify(afterCancel);
}

void Query::remove() {
    if (!isActive())
        raise(QStringLiteral("Cannot perform this operation on a closed dataset"));
    if (m_state == DataSetState::Insert) {
        cancel();
        return;
    }
    if (isEmpty())
        raise(QStringLiteral("Cannot perform this operation on an empty dataset"));
    if (!canModify())
        raise(QStringLiteral("Cannot modify a read-only dataset"));
    if (m_state == DataSetState::Edit)
        cancel();
    notify(beforeDelete);
    readPendingKeys();
    const std::int64_t key = m_keys.keyAt(m_cursor);
    StatementHandle statement =
        prepare(m_connection.handle(), QStringLiteral("DELETE FROM ") + quoteIdentifier(m_table) +
                                           QStringLiteral(" WHERE rowid = ?"));
    sqlite3_bind_int64(statement.get(), 1, key);
    step(statement.get());
    if (sqlite3_changes(m_connection.handle()) == 0)
        raise(recordNotFound());
    m_keys.removeAt(m_cursor);
    m_cache.forget(key);
    setCursor(std::min(m_cursor, m_keys.keyCount() - 1));
    m_bof = m_eof = isEmpty();
    forEachLink([](DataLink& link) { link.dataSetChanged(); });
    notify(afterScroll);
}

// ---------------------------------------------------------------- bookmarks, locate, lookup

Query::Bookmark Query::bookmark() const {
    readPendingKeys();
    if (m_cursor < 0 || m_cursor == m_keys.gapRow())
        return {};
    return {m_keys.keyAt(m_cursor), true};
}

bool Query::bookmarkValid(const Bookmark& bookmark) const {
    readPendingKeys();
    return bookmark.valid && m_keys.rowOf(bookmark.key) >= 0;
}

void Query::gotoBookmark(const Bookmark& bookmark) {
    readPendingKeys();
    const int row = bookmark.valid ? m_keys.rowOf(bookmark.key) : -1;
    if (row < 0)
        raise(QStringLiteral("Record not found"));
    settle();
    const int old = m_cursor;
    setCursor(m_keys.rowOf(bookmark.key));
    m_bof = m_eof = false;
    afterMove(old);
}

std::unordered_set<std::int64_t> Query::matchingKeys(int fieldIndex, const QVariant& value) {
    std::unordered_set<std::int64_t> keys;
    const QVariant& wanted = value;
    if (m_mode == Mode::Static) {
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            const QVariant& cell = m_rows[i][fieldIndex];
            if (cell.isNull() ? wanted.isNull()
                              : (!wanted.isNull() && cell.toString() == wanted.toString()))
                keys.insert(static_cast<std::int64_t>(i));
        }
        return keys;
    }
    const QString column = quoteIdentifier(m_columns[fieldIndex]);
    StatementHandle statement =
        prepare(m_connection.handle(),
                QStringLiteral("SELECT rowid FROM ") + quoteIdentifier(m_table) +
                    QStringLiteral(" WHERE ") + column +
                    (wanted.isNull() ? QStringLiteral(" IS NULL") : QStringLiteral(" = ?")));
    if (!wanted.isNull()) {
        QVariant typed = wanted;
        if (isIntegerKind(field(fieldIndex).kind()) && wanted.typeId() == QMetaType::QString) {
            bool ok = false;
            typed = QVariant(wanted.toString().trimmed().toLongLong(&ok));
            if (!ok)
                return keys;
        }
        bind(statement.get(), 1, typed);
    }
    while (step(statement.get()))
        keys.insert(sqlite3_column_int64(statement.get(), 0));
    return keys;
}

bool Query::locate(const QString& fieldName, const QVariant& value) {
    if (!isActive())
        raise(QStringLiteral("Cannot perform this operation on a closed dataset"));
    settle();
    readPendingKeys();
    const int row = m_keys.firstRowOf(matchingKeys(fieldByName(fieldName).index(), value));
    if (row < 0)
        return false;
    const int old = m_cursor;
    setCursor(row);
    m_bof = m_eof = false;
    afterMove(old);
    return true;
}

std::optional<std::int64_t> Query::firstKeyAmong(
    const std::unordered_set<std::int64_t>& keys) const {
    readPendingKeys();
    const int row = m_keys.firstRowOf(keys);
    if (row < 0 || row == m_keys.gapRow())
        return std::nullopt;
    return m_keys.keyAt(row);
}

QVariant Query::lookup(const QString& keyFieldName, const QVariant& keyValue,
                       const QString& resultFieldName) {
    if (!isActive())
        return {};
    const int resultField = fieldByName(resultFieldName).index();
    readPendingKeys();
    const int row = m_keys.firstRowOf(matchingKeys(fieldByName(keyFieldName).index(), keyValue));
    return row < 0 ? QVariant() : rowValue(row, resultField);
}

// ---------------------------------------------------------------- fields

Field& Query::fieldByName(const QString& name) const {
    Field* found = findField(name);
    if (!found)
        raise(QStringLiteral("Field '") + name + QStringLiteral("' not found"));
    return *found;
}

Field* Query::findField(const QString& name) const {
    for (const auto& f : m_fields) {
        if (f->name().compare(name, Qt::CaseInsensitive) == 0)
            return f.get();
    }
    return nullptr;
}

// ---------------------------------------------------------------- filter and sort

std::vector<FilterColumn> Query::filterColumns() const {
    std::vector<FilterColumn> columns;
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        columns.push_back(
            {m_fields[i]->name(), m_columns[static_cast<qsizetype>(i)], m_fields[i]->kind()});
    return columns;
}

void Query::setFilter(const QString& filter) {
    if (filter == m_filter)
        return;
    if (isActive() && m_filtered)
        applyFilterAndSort(filter, true, m_sort);
    else
        m_filter = filter;
}

void Query::setFiltered(bool filtered) {
    if (filtered == m_filtered)
        return;
    if (isActive())
        applyFilterAndSort(m_filter, filtered, m_sort);
    else
        m_filtered = filtered;
}

void Query::setSort(const QString& sort) {
    if (isActive())
        applyFilterAndSort(m_filter, m_filtered, sort);
    else
        m_sort = sort;
}

void Query::applyFilterAndSort(const QString& filter, bool filtered, const QString& sort) {
    if (m_mode == Mode::Static && ((filtered && !filter.trimmed().isEmpty()) || !sort.isEmpty()))
        raise(QStringLiteral("only a table can be filtered or sorted"));
    settle();
    const std::vector<FilterColumn> columns = filterColumns();
    CompiledFilter compiled;
    if (filtered)
        compiled = compileFilter(filter, columns);
    QString sortSql = compileSort(sort, columns);

    std::swap(compiled.sql, m_filterSql);
    std::swap(compiled.args, m_filterArgs);
    std::swap(m_sortSql, sortSql);
    if (m_mode == Mode::Table) {
        try {
            readKeys();
        } catch (const Error& error) {
            // Keep the filter and order that were in force.
            std::swap(compiled.sql, m_filterSql);
            std::swap(compiled.args, m_filterArgs);
            std::swap(m_sortSql, sortSql);
            throw Error(filterErrorPrefix(filter) + error.message());
        }
    }
    m_filter = filter;
    m_filtered = filtered;
    m_sort = sort;
    m_cursor = isEmpty() ? -1 : 0;
    m_bof = true;
    m_eof = isEmpty();
    forEachLink([](DataLink& link) { link.dataSetChanged(); });
    notify(afterScroll);
}

// ---------------------------------------------------------------- notifications

void Query::disableControls() {
    ++m_disableCount;
}

void Query::enableControls() {
    if (m_disableCount == 0)
        return;
    if (--m_disableCount == 0) {
        forEachLink([](DataLink& link) { link.dataSetChanged(); });
    }
}

void Query::setState(DataSetState state) {
    if (state == m_state)
        return;
    const bool activityChanged =
        (state == DataSetState::Inactive) != (m_state == DataSetState::Inactive);
    m_state = state;
    if (activityChanged) {
        // Activity reaches the controls even while updates are suspended.
        for (DataSource* source : std::vector<DataSource*>(m_sources)) {
            for (DataLink* link : std::vector<DataLink*>(source->links()))
                link->activeChanged();
        }
        return;
    }
    forEachLink([](DataLink& link) {
        link.editingChanged();
        link.dataSetChanged();
    });
}

void Query::notify(const Notify& handler) {
    if (handler)
        handler(*this);
}

template <typename F>
void Query::forEachLink(F&& f) {
    if (m_disableCount > 0)
        return;
    for (DataSource* source : std::vector<DataSource*>(m_sources)) {
        for (DataLink* link : std::vector<DataLink*>(source->links()))
            f(*link);
    }
}

void Query::attachDataSource(DataSource* source) {
    m_sources.push_back(source);
}

void Query::detachDataSource(DataSource* source) {
    m_sources.erase(std::remove(m_sources.begin(), m_sources.end(), source), m_sources.end());
}

}  // namespace store
