#pragma once

#include <ostream>

#include <QList>
#include <QString>
#include <QVariant>

namespace testsupport {

// Every row of a SELECT against a database file, read with the SQLite C API
// (null as a null QVariant, integers as qlonglong, text as QString).
QList<QVariantList> queryRows(const QString& path, const QString& sql);

}  // namespace testsupport

// Shows a value in test failures as its type and text, e.g. QString("甲").
void PrintTo(const QVariant& value, std::ostream* out);
