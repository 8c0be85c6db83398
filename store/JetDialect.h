#pragma once

#include <QString>

namespace store {

// Translates a statement of the item database's SQL dialect to SQLite where
// the two differ: SELECT ... INTO T FROM ... becomes CREATE TABLE T AS
// SELECT ... FROM ..., and a column added with the type Memo gets the type
// TEXT. Everything else the system runs (bracketed or bare
// Chinese names, GROUP BY ... HAVING Count(*), NOT IN subqueries, ALTER
// TABLE ... ADD COLUMN with Bit, Int, TEXT(n), Memo, TEXT, quoted literals)
// SQLite takes as it stands.
QString translateJetStatement(const QString& statement);

}  // namespace store
