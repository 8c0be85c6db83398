#pragma once

#include <memory>

#include <QString>
#include <QVariant>
#include <sqlite3.h>

namespace store {

struct SqliteCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using DatabaseHandle = std::unique_ptr<sqlite3, SqliteCloser>;
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// Thin helpers over the C API; failures raise store::Error with the engine's text.
StatementHandle prepare(sqlite3* db, const QString& sql);
void execute(sqlite3* db, const QString& sql);
// Steps a statement once; returns true for a row, false when done.
bool step(sqlite3_stmt* statement);
void bind(sqlite3_stmt* statement, int index, const QVariant& value);
QVariant columnValue(sqlite3_stmt* statement, int column);
[[noreturn]] void raiseEngineError(sqlite3* db);

// Quotes an identifier for SQLite: "name" with inner quotes doubled.
QString quoteIdentifier(const QString& name);

}  // namespace store
