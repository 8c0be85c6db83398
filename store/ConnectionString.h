#pragma once

#include <QString>

namespace store {

// The connection string of an item database file:
// Provider=...;Password="";Data Source=PATH;Persist Security Info=True
QString connectionStringFor(const QString& path);
// The same with Mode=Read: the file is opened for reading only, so that
// nothing done over the connection can change it.
QString readOnlyConnectionStringFor(const QString& path);
// Whether the connection string's Mode is Read.
bool isReadOnly(const QString& connectionString);
// The Data Source of a connection string: the path, verbatim, up to a tail of
// the keys that follow it; empty when absent.
QString dataSourceOf(const QString& connectionString);

}  // namespace store
