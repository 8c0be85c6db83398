#include "itemfile/PreviewRecordSink.h"

#include <algorithm>
#include <limits>

#include "itemfile/ImportProgress.h"
#include "itemfile/ItemFileReader.h"
#include "store/Connection.h"
#include "store/Error.h"
#include "store/Field.h"
#include "store/ItemTable.h"
#include "store/Query.h"

namespace itemfile {

using namespace Qt::StringLiterals;

namespace {

// The highest ID the engine has given: the next automatic ID is one more.
std::int64_t highestId(store::Connection& connection, const QString& idColumn) {
    const QString table = store::itemTableName();
    QString sql = u"SELECT max(ifnull(max("_s + store::quoteIdentifier(idColumn) + u"), 0)"_s;
    if (connection.tableExists(u"sqlite_sequence"_s))
        sql += u", ifnull((SELECT seq FROM sqlite_sequence WHERE name = '"_s + table + u"'), 0)"_s;
    else
        sql += u", 0"_s;
    const store::StatementHandle statement =
        store::prepare(connection.handle(), sql + u") FROM "_s + store::quoteIdentifier(table));
    store::step(statement.get());
    return sqlite3_column_int64(statement.get(), 0);
}

}  // namespace

PreviewRecordSink::PreviewRecordSink(store::Query& query, store::Progress& progress,
                                     QChar decimalSeparator)
    : m_query(query),
      m_progress(progress),
      m_fields(query, decimalSeparator),
      m_canModify(query.canModify()) {
    const QString idColumn = store::quoteIdentifier(query.field(store::kItemIdField).name());
    m_findId = store::prepare(query.connection().handle(),
                              u"SELECT 1 FROM "_s + store::quoteIdentifier(store::itemTableName()) +
                                  u" WHERE "_s + idColumn + u" = ?"_s);
    m_highestId = highestId(query.connection(), query.field(store::kItemIdField).name());
}

void PreviewRecordSink::startRecord() {
    // Appending settles the record before: added when any of its fields was set.
    if (m_filling && m_fieldStored)
        post();
    if (!m_canModify)
        noteProblem(-1, m_query.name() + u": Cannot modify a read-only dataset"_s);
    m_filling = true;
    m_counted = false;
    m_fieldStored = false;
    m_firstFieldSet = false;
    m_id.reset();
}

void PreviewRecordSink::storeField(int index, QStringView text) {
    if (!m_counted) {
        m_counted = true;
        ++m_recordCount;
    }
    if (m_problem)
        return;
    try {
        const store::Field& field = m_fields.at(index);
        const QVariant value = field.converted(m_fields.value(index, text));
        if (index == 0)
            m_firstFieldSet = !value.isNull();
        if (index == store::kItemIdField)
            m_id = value.isNull() ? std::nullopt : std::optional(value.toLongLong());
        m_fieldStored = true;
    } catch (const store::Error& error) {
        noteProblem(index, error.message());
    }
}

void PreviewRecordSink::lineHandled(int recordCount) {
    showImportProgress(m_progress, recordCount);
}

void PreviewRecordSink::settle() {
    if (m_filling && m_firstFieldSet)
        post();
    m_filling = false;
}

// The engine takes a record's own ID unless the table or this import holds it
// already, and numbers a record without one past the highest ID it has given.
void PreviewRecordSink::post() {
    if (m_problem)
        return;
    std::int64_t id = m_highestId + 1;
    if (m_id) {
        id = *m_id;
        if (idTaken(id)) {
            noteProblem(
                store::kItemIdField,
                u"the record added here has ID %1, which the table already holds"_s.arg(id));
            return;
        }
    } else if (id > std::numeric_limits<std::int32_t>::max()) {
        noteProblem(store::kItemIdField, u"no automatic IDs are left"_s);
        return;
    }
    m_addedIds.insert(id);
    m_highestId = std::max(m_highestId, id);
    ++m_keptCount;
}

bool PreviewRecordSink::idTaken(std::int64_t id) {
    if (m_addedIds.contains(id))
        return true;
    sqlite3_stmt* statement = m_findId.get();
    sqlite3_reset(statement);
    sqlite3_bind_int64(statement, 1, id);
    return store::step(statement);
}

void PreviewRecordSink::noteProblem(int fieldIndex, const QString& message) {
    if (m_problem)
        return;
    const bool hasField = fieldIndex >= 0 && fieldIndex < m_query.fieldCount();
    m_problem = ImportProblem{.lineNumber = m_reader ? m_reader->lineNumber() : 0,
                              .fieldNumber = fieldIndex + 1,
                              .fieldName = hasField ? m_query.field(fieldIndex).name() : QString(),
                              .message = message};
}

}  // namespace itemfile
