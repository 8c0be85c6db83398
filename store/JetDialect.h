#pragma once

#include <QString>

namespace store {

// Translates a statement of the item database's SQL dialect to SQLite where
// the two differ: SELECT ... INTO T FROM ... becomes CREATE TABLE T AS
// SELECT ... FROM ..., and a column added with the type Memo gets the type
// TEXT. A column definition of more than a name and a one-word type ("a b
// TEXT", a name with a space) fails with "Syntax error in field definition."
// as the dialect's parser would, instead of adding a column "a". Everything else the system runs
// (bracketed or bare Chinese names, GROUP BY ... HAVING Count(*), NOT IN subqueries, ALTER TABLE
// ... ADD COLUMN with Bit, Int, TEXT(n), Memo, TEXT, quoted literals) SQLite takes as it stands.
QString translateJetStatement(const QString& statement);

}  // namespace store
