#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace testsupport {

// Every row of a SELECT against a database file, read with the SQLite C API
// (null as a null QVariant, integers as qlonglong, text as QString).
QList<QVariantList> queryRows(const QString& path, const QString& sql);

}  // namespace testsupport
