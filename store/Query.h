#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_set>
#include <vector>

#include <QString>
#include <QVariant>

#include "store/Field.h"
#include "store/FieldDef.h"
#include "store/FilterCompiler.h"
#include "store/KeyList.h"
#include "store/RowCache.h"
#include "store/Sqlite.h"

namespace store {

class Connection;
class DataSource;
class Error;

enum class DataSetState { Inactive, Browse, Edit, Insert };

// An updatable dataset over a statement of the item database: the item
// query, the work query and the source query are all Query objects.
//
// A statement of the form "Select * from T" gives a keyset over T's rows: the
// dataset keeps the row keys in result order (after filter and sort, which
// SQLite evaluates) and reads values on demand through a small cache, so a
// table of a million rows opens with a few megabytes. Such a dataset can be
// edited. Any other SELECT is read whole into memory and is read-only.
//
// Row positions run from 0 to rowCount() - 1; while a record is being
// inserted it has a position of its own, and rows behind it move down by one.
class Query {
public:
    using Notify = std::function<void(Query&)>;
    // Implicitly shared: a row handed out stays valid whatever the dataset reads next.
    using Row = RowCache::Row;

    Query(Connection& connection, QString name);
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    const QString& name() const { return m_name; }
    Connection& connection() const { return m_connection; }

    // Setting the statement closes the query first.
    void setSql(const QString& sql);
    const QString& sql() const { return m_sql; }
    // A declared field list: opening checks the table against it ("Field '%s'
    // not found", "Type mismatch for field ...") and the dataset then presents
    // exactly these fields, in this order, whatever the table's column order.
    void setDeclaredFields(std::vector<FieldDef> fields);

    void open();  // no-op when open
    // For a command that works right after opening: opening a table then
    // only checks whether any row passes the filter, recordCount() is the
    // engine's own count, and the row keys are read when a row, a move or an
    // edit first needs them, showing the table as it is at that moment.
    void setKeysOnDemand(bool onDemand) { m_keysOnDemand = onDemand; }
    void close();
    bool isActive() const { return m_state != DataSetState::Inactive; }
    // Runs the statement as one that returns no rows.
    void execute();
    // Settles a pending edit, re-runs the statement, cursor on the first row.
    void requery();

    DataSetState state() const { return m_state; }
    bool isEditing() const {
        return m_state == DataSetState::Edit || m_state == DataSetState::Insert;
    }
    // Rows of the result; a record being inserted is not counted until posted.
    int recordCount() const;
    // Rows shown, a record being inserted included.
    int rowCount() const;
    // Position of the current row, -1 when there is none.
    int recNo() const { return m_cursor; }
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    bool isEmpty() const;

    // Every move settles a pending edit first.
    void first();
    void last();
    void next();
    void prior();
    // Moves by up to `distance` rows; returns how far it moved.
    int moveBy(int distance);
    // Moves to a row position (clamped).
    void moveTo(int row);

    void append();
    void insert();
    void edit();
    void post();
    void cancel();
    void remove();
    // Posts a changed record being edited or inserted, cancels an unchanged one.
    void settle();
    bool modified() const { return m_modified; }
    // Whether the dataset's rows can be changed at all.
    bool canModify() const;

    struct Bookmark {
        std::int64_t key = 0;
        bool valid = false;
    };
    Bookmark bookmark() const;
    bool bookmarkValid(const Bookmark& bookmark) const;
    void gotoBookmark(const Bookmark& bookmark);

    // Moves to the first row whose field equals the whole value; false when none does.
    bool locate(const QString& fieldName, const QVariant& value);
    // The row key of the first row, in result order, that is among `keys`;
    // none when the dataset shows none of them. Does not move the cursor.
    std::optional<std::int64_t> firstKeyAmong(const std::unordered_set<std::int64_t>& keys) const;
    // The result field's value of the first row whose key field equals the value; null when none.
    QVariant lookup(const QString& keyFieldName, const QVariant& keyValue,
                    const QString& resultFieldName);

    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    Field& field(int index) const { return *m_fields.at(static_cast<std::size_t>(index)); }
    // Fails with "<query name>: Field '%s' not found".
    Field& fieldByName(const QString& name) const;
    Field* findField(const QString& name) const;  // compared without regard to case

    // A row's value without moving the cursor (for grids and exports).
    QVariant rowValue(int row, int fieldIndex);
    // The values of the fields `fieldIndexes` for `count` rows from `firstRow`
    // on, row after row, read with one statement per RowCache::kValueBlockSize
    // rows (rows the table no longer holds read null). The row cache keeps
    // none of them, so a walk over the whole dataset leaves the rows on
    // screen cached.
    std::vector<QVariant> rowValues(int firstRow, int count, const std::vector<int>& fieldIndexes);
    // Every value of the current record, in field order (all null without one).
    // Fails when another process has deleted the record since the rows were read.
    Row currentRow();
    // The field's text (as Field::asText gives it) in every row of the
    // result, filter applied, in no particular order; read in one pass
    // without moving the cursor. A record being edited or inserted counts
    // with what is stored.
    QStringList fieldTexts(int fieldIndex);

    // Filter text in the engine's filter language, e.g. "[宝贝名称] Like '*abc*' AND [ID] > 3".
    // Setting it while filtered re-filters and puts the cursor on the first row;
    // an unchanged text does nothing; a text that cannot be evaluated raises an
    // error naming it and leaves the old filter in place.
    const QString& filter() const { return m_filter; }
    void setFilter(const QString& filter);
    bool filtered() const { return m_filtered; }
    void setFiltered(bool filtered);
    // Sort text such as "[宝贝价格] DESC, [宝贝名称]"; empty for the table's own order.
    const QString& sort() const { return m_sort; }
    void setSort(const QString& sort);

    // Display-update suspension: data links hear nothing until the matching
    // enableControls(), which tells them the data changed.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disableCount > 0; }

    // Replaceable notifications: whoever sets one keeps the previous handler
    // and calls it.
    Notify afterOpen, afterClose, afterScroll, afterEdit, afterInsert, afterPost, afterCancel,
        beforeDelete;

    // Used by Field and DataSource.
    QVariant currentValue(int fieldIndex);
    void setCurrentValue(int fieldIndex, const QVariant& value);
    void attachDataSource(DataSource* source);
    void detachDataSource(DataSource* source);
    // Used by Connection.
    void forgetConnectionHandle();
    // The transaction was undone: cancels a pending edit and reads the rows
    // again, cursor on the first row.
    void reloadAfterRollback() noexcept;

private:
    enum class Mode { Table, Static };

    void openResult();
    void loadKeys();
    void readKeys();
    void deferKeys();
    void readPendingKeys() const;
    std::vector<std::int64_t> selectKeys() const;
    // "SELECT resultColumns FROM the table", limited to the rows that pass the filter.
    QString selectPassingRows(const QString& resultColumns) const;
    // Prepares `sql` with the filter's arguments bound.
    StatementHandle prepareFiltered(const QString& sql) const;
    [[noreturn]] void raiseKeyError(const Error& error) const;
    void checkDeclaredFields(const QStringList& columns, const QStringList& types,
                             const std::vector<bool>& rowidAlias);
    void buildFieldsFromResult(sqlite3_stmt* statement);
    void beginRecord(bool appendAtEnd);
    void postRecord();
    void writeRecord();
    sqlite3_stmt* insertStatement();
    void refuseKeyBeyondIdField(std::int64_t key);
    void setState(DataSetState state);
    Row fetchRow(int row);
    Row readRow(int row);
    Row nullRow();
    void setCursor(int row);
    QString keysetSql(const QString& filterSql, const QString& sortSql) const;
    void applyFilterAndSort(const QString& filter, bool filtered, const QString& sort);
    std::vector<FilterColumn> filterColumns() const;
    std::unordered_set<std::int64_t> matchingKeys(int fieldIndex, const QVariant& value);
    void afterMove(int oldRow);
    void resetStatements();
    [[noreturn]] void raise(const QString& message) const;

    void notify(const Notify& handler);
    template <typename F>
    void forEachLink(F&& f);

    Connection& m_connection;
    QString m_name;
    QString m_sql;
    std::vector<FieldDef> m_declared;
    std::vector<std::unique_ptr<Field>> m_fields;

    Mode m_mode = Mode::Table;
    QString m_table;         // Table mode: the table read
    QStringList m_columns;   // physical column for each field
    QString m_rowidColumn;   // column that is the rowid alias, if a field has one
    mutable KeyList m_keys;  // Table: rowids; Static: indexes into m_rows
    bool m_keysOnDemand = false;
    mutable bool m_keysPending = false;
    bool m_pendingHasRows = false;
    mutable int m_pendingCount = -1;  // SQLite's count while the keys are pending
    std::vector<Row> m_rows;          // Static mode only
    RowCache m_cache;                 // Table mode only
    Row m_nullRow;
    // Prepared INSERTs by the set of fields assigned, most recently used
    // first, so that records assigning different fields in turn reuse theirs.
    struct InsertStatement {
        std::vector<bool> columns;
        StatementHandle statement;
    };
    static constexpr std::size_t kInsertStatements = 16;
    std::vector<InsertStatement> m_insertStatements;

    DataSetState m_state = DataSetState::Inactive;
    int m_cursor = -1;
    bool m_bof = true;
    bool m_eof = true;
    Row m_buffer;  // the record being edited or inserted
    std::vector<bool> m_changed;
    bool m_modified = false;

    QString m_filter;
    bool m_filtered = false;
    QString m_filterSql;
    std::vector<QVariant> m_filterArgs;
    QString m_sort;
    QString m_sortSql;

    int m_disableCount = 0;
    std::vector<DataSource*> m_sources;
};

}  // namespace store
