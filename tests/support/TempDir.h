#pragma once

#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// A temporary folder that lives as long as the object; paths inside it.
class TempDir {
public:
    TempDir();
    QString path(const QString& name) const;

private:
    QTemporaryDir m_dir;
};

// Creates an item database file with an empty BabyData table and returns its path.
QString createItemDatabase(const TempDir& dir, const QString& name = QStringLiteral("Data.mdb"));
// Runs plain SQLite statements against a file (to set up fixtures without the store).
void runSql(const QString& path, const QString& sql);
// Reads one integer from a SELECT against a file.
long long querySingleInt(const QString& path, const QString& sql);

}  // namespace testsupport
