#include <fcntl.h>
#include <sys/stat.h>

#include <map>
#include <set>

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringList>

#include "store/ItemTable.h"
#include "tests/cli/CliFixture.h"
#include "tests/support/ItemFileBuilder.h"
#include "tests/support/TableRows.h"
#include "tests/support/TempDir.h"

namespace {

using namespace Qt::StringLiterals;
using testsupport::ItemFileBuilder;
using testsupport::numberedItemValues;

// ID -> 宝贝名称 of every record.
std::map<long long, QVariant> namesById(const QString& db) {
    std::map<long long, QVariant> names;
    for (const QVariantList& row :
         testsupport::queryRows(db, u"SELECT ID, 宝贝名称 FROM BabyData"_s))
        names[row[0].toLongLong()] = row[1];
    return names;
}

QStringList withField(QStringList values, int index, const QString& value) {
    if (index == values.size())
        values << value;
    else
        values[index] = value;
    return values;
}

class DryRunCli : public CliFixture {
protected:
    QJsonObject dryRun(const QStringList& arguments) {
        EXPECT_EQ(run(arguments + QStringList{u"--dry-run"_s, u"--json"_s}), 0)
            << err().toStdString();
        return QJsonDocument::fromJson(out().toUtf8()).object();
    }

    testsupport::TempDir dir;
    QString db = testsupport::createItemDatabase(dir);
    QString items = dir.path(u"items.tab"_s);
};

struct DedupeCase {
    const char* label;
    QString insert;  // fills BabyData
    int groups;
};

TEST_F(DryRunCli, DedupeDryRunNamesExactlyTheRecordsDedupeDeletes) {
    const QString fill = u"INSERT INTO BabyData(ID, 宝贝名称) "_s;
    const DedupeCase cases[] = {
        {"empty table", {}, 0},
        {"three A and one B", fill + u"VALUES (5, 'A'), (2, 'A'), (9, 'A'), (3, 'B')"_s, 1},
        {"names missing", fill + u"VALUES (4, NULL), (1, NULL), (7, NULL), (2, 'x')"_s, 1},
        {"case, spaces, empty",
         fill + u"VALUES (1, 'a'), (2, 'A'), (3, 'a '), (4, 'a'), (5, ''), (6, '')"_s, 2},
        {"13 groups of 15",
         u"WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 195) "_s +
             fill + u"SELECT 1000 - i, 'n' || (i % 13) FROM c"_s,
         13},
    };
    for (const DedupeCase& c : cases) {
        SCOPED_TRACE(c.label);
        testsupport::runSql(db, u"DELETE FROM BabyData"_s);
        if (!c.insert.isEmpty())
            testsupport::runSql(db, c.insert);
        const std::map<long long, QVariant> before = namesById(db);
        const QJsonObject preview = dryRun({u"dedupe"_s, db});
        ASSERT_EQ(run({u"dedupe"_s, db}), 0) << err().toStdString();
        const std::map<long long, QVariant> after = namesById(db);

        EXPECT_EQ(preview[u"duplicate_groups"_s].toInt(), c.groups);
        EXPECT_EQ(preview[u"records_deleted"_s].toInteger(),
                  static_cast<qint64>(before.size() - after.size()));
        EXPECT_EQ(preview[u"records_kept"_s].toInteger(), static_cast<qint64>(after.size()));
        const QJsonArray samples = preview[u"sample_groups"_s].toArray();
        ASSERT_EQ(samples.size(), std::min(c.groups, 10));
        qint64 lastKept = 0;
        for (const QJsonValue& value : samples) {
            const QJsonObject sample = value.toObject();
            const qint64 kept = sample[u"kept_id"_s].toInteger();
            EXPECT_GT(kept, lastKept) << "samples run by kept ID";
            lastKept = kept;
            ASSERT_TRUE(after.contains(kept));
            const QJsonValue name = sample[u"name"_s];
            EXPECT_EQ(name.isNull() ? QVariant() : QVariant(name.toString()), before.at(kept));
            QJsonArray deleted;
            int deletedCount = 0;
            for (const auto& [id, name] : before) {
                if (!after.contains(id) && name == before.at(kept)) {
                    ++deletedCount;
                    if (deleted.size() < 10)
                        deleted.append(id);
                }
            }
            EXPECT_EQ(sample[u"deleted_count"_s].toInt(), deletedCount);
            EXPECT_EQ(sample[u"deleted_ids"_s].toArray(), deleted);
        }
    }
}

struct ImportCase {
    const char* label;
    QByteArray file;
    int records;
    QJsonValue line;  // where the import stops, null when it does not or before any line
    int field;
};

TEST_F(DryRunCli, ImportDryRunStopsWhereTheImportStopsAndKeepsWhatItKeeps) {
    testsupport::runSql(db, u"INSERT INTO BabyData(ID, 宝贝名称) VALUES (7, 'old')"_s);
    const auto file = [](std::initializer_list<QStringList> records) {
        ItemFileBuilder builder;
        builder.header();
        for (const QStringList& values : records)
            builder.record(values);
        return builder.bytes();
    };
    const ImportCase cases[] = {
        {"clean",
         file({numberedItemValues(1), numberedItemValues(2), numberedItemValues(3)}),
         3,
         {},
         0},
        {"integer out of range",
         file({numberedItemValues(1), numberedItemValues(2),
               withField(numberedItemValues(3), 7, u"99999999999"_s), numberedItemValues(4)}),
         4, 4, 8},
        {"48th field",
         file({numberedItemValues(1), numberedItemValues(2).mid(0, 39),
               numberedItemValues(3).mid(0, 39), numberedItemValues(4)}),
         3, 4, 48},
        {"ID the table holds",
         file({numberedItemValues(1), withField(numberedItemValues(2), 46, u"7"_s),
               numberedItemValues(3)}),
         3, 4, 47},
        {"ID twice in the file",
         file({withField(numberedItemValues(1), 46, u"50"_s),
               withField(numberedItemValues(2), 46, u"50"_s)}),
         2, 3, 47},
        {"no mark", "no mark", 0, {}, 0},
    };
    for (const ImportCase& c : cases) {
        SCOPED_TRACE(c.label);
        testsupport::writeFile(items, c.file);
        const long long before =
            testsupport::querySingleInt(db, u"SELECT count(*) FROM BabyData"_s);
        const QJsonObject preview = dryRun({u"import"_s, db, items});
        const int status = run({u"import"_s, db, items});
        const long long added =
            testsupport::querySingleInt(db, u"SELECT count(*) FROM BabyData"_s) - before;

        EXPECT_EQ(preview[u"records"_s].toInt(), c.records);
        EXPECT_EQ(preview[u"records_added"_s].toInt(), added);
        const QJsonValue problem = preview[u"problem"_s];
        EXPECT_EQ(status, problem.isNull() ? 0 : 1);
        EXPECT_EQ(problem.isNull() ? QJsonValue() : problem[u"line"_s], c.line);
        const QRegularExpressionMatch stoppedAt =
            QRegularExpression(u"出错的行：(\\d+)"_s).match(err());
        EXPECT_EQ(stoppedAt.hasMatch() ? QJsonValue(stoppedAt.captured(1).toInt()) : QJsonValue(),
                  c.line)
            << err().toStdString();
        if (c.field > 0) {
            EXPECT_EQ(problem[u"field"_s].toInt(), c.field);
            EXPECT_EQ(problem[u"field_name"_s].toString(),
                      c.field <= store::kItemFieldCount
                          ? store::itemFields()[static_cast<std::size_t>(c.field - 1)].name
                          : QString());
        }
    }
}

TEST_F(DryRunCli, DryRunsLeaveTheDatabaseFileAsItWas) {
    testsupport::runSql(db,
                        u"INSERT INTO BabyData(宝贝名称) VALUES ('a'), ('a'), (NULL), (NULL)"_s);
    testsupport::writeFile(items, ItemFileBuilder().header().record(numberedItemValues(1)).bytes());
    const timespec past[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, db.toLocal8Bit().constData(), past, 0), 0);
    const QByteArray bytes = testsupport::readFile(db);

    dryRun({u"dedupe"_s, db});
    dryRun({u"import"_s, db, items});

    EXPECT_EQ(testsupport::readFile(db), bytes);
    struct stat status {};
    ASSERT_EQ(stat(db.toLocal8Bit().constData(), &status), 0);
    EXPECT_EQ(status.st_mtim.tv_sec, past[1].tv_sec);
    EXPECT_EQ(status.st_mtim.tv_nsec, 0);
    EXPECT_FALSE(QFile::exists(db + u"-journal"_s));
    EXPECT_FALSE(QFile::exists(db + u"-wal"_s));
}

}  // namespace
