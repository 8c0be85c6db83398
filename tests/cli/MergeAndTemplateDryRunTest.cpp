#include <filesystem>

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringEncoder>

#include "tests/cli/CliFixture.h"
#include "tests/support/ItemFileBuilder.h"
#include "tests/support/TableRows.h"
#include "tests/support/TempDir.h"

namespace {

using namespace Qt::StringLiterals;
using Rows = QList<QVariantList>;

// The bytes and modification time of a database file, and whether a journal lies beside it.
struct FileState {
    QByteArray bytes;
    std::filesystem::file_time_type modified;
    bool journal = false;

    explicit FileState(const QString& path)
        : modified(std::filesystem::last_write_time(path.toStdString())),
          journal(QFile::exists(path + u"-journal"_s)) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        bytes = file.readAll();
    }
    bool operator==(const FileState&) const = default;
};

// The dry runs of append and templates, each against what the command then does.
class MergeAndTemplateDryRun : public CliFixture {
protected:
    void SetUp() override { testsupport::createItemDatabase(dir, u"店铺.mdb"_s); }

    // The dry run's JSON summary; the database file stays as it was.
    QJsonObject dryRun(QStringList arguments) {
        const FileState before(db);
        arguments << u"--dry-run"_s << u"--json"_s;
        EXPECT_EQ(run(arguments), 0) << err().toStdString();
        EXPECT_TRUE(FileState(db) == before) << "the dry run changed the database file";
        QJsonParseError error;
        const QJsonDocument summary = QJsonDocument::fromJson(out().toUtf8(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << out().toStdString();
        EXPECT_EQ(out().count(u'\n'), 1) << "one object on one line";
        return summary.object();
    }
    Rows items() { return testsupport::queryRows(db, u"SELECT * FROM BabyData ORDER BY ID"_s); }
    static int changedRows(const Rows& before, const Rows& after) {
        EXPECT_EQ(before.size(), after.size());
        int changed = 0;
        for (qsizetype i = 0; i < before.size() && i < after.size(); ++i)
            changed += before[i] != after[i] ? 1 : 0;
        return changed;
    }
    QString description(const QString& name, const QString& text) {
        const QString path = dir.path(name);
        testsupport::writeFile(path, QStringEncoder("GBK")(text));
        return path;
    }

    testsupport::TempDir dir;
    QString db = dir.path(u"店铺.mdb"_s);
};

TEST_F(MergeAndTemplateDryRun, AppendForetellsTheChangedRecordsAndTheAddedColumns) {
    testsupport::runSql(
        db,
        u"INSERT INTO BabyData(宝贝链接, 宝贝名称, 宝贝价格) VALUES ('L1', '甲', 5), "
        "('L2', '乙', 6), ('L3', '丙', 7), ('L4', '丁', 8), ('L1', '甲二', 9)"_s);
    const QString source = dir.path(u"本周.mdb"_s);
    // L1 reaches the first of its records with the values it holds (a price given as
    // text is stored as a number); L2 changes, then changes back; L3 changes only in a
    // column that the merge adds; L9 is not in the table.
    testsupport::runSql(source,
                        u"CREATE TABLE Content(ID INTEGER PRIMARY KEY, 宝贝链接 TEXT(200), "
                        "宝贝名称 TEXT(150), 宝贝价格 TEXT(10), 备注 TEXT(30), 等级 Int);"
                        "INSERT INTO Content VALUES (7, 'L1', '甲', '5', NULL, NULL), "
                        "(8, 'L2', '新乙', '6', NULL, NULL), (9, 'L9', '外', '1', '注', 1), "
                        "(10, 'L2', '乙', '6', NULL, NULL), (11, 'L3', '丙', '7', '注', NULL)"_s);

    QJsonObject summary = dryRun({u"append"_s, db, source});
    EXPECT_EQ(summary[u"source_records"_s].toInt(), 5);
    EXPECT_EQ(summary[u"links_found"_s].toInt(), 4);
    EXPECT_EQ(summary[u"links_not_found"_s].toInt(), 1);
    EXPECT_EQ(summary[u"changing"_s].toInt(), 1);
    EXPECT_EQ(summary[u"unchanged"_s].toInt(), 2);
    EXPECT_EQ(summary[u"columns_added"_s].toArray(),
              (QJsonArray{QJsonObject{{u"name"_s, u"备注"_s}, {u"type"_s, u"TEXT(30)"_s}},
                          QJsonObject{{u"name"_s, u"等级"_s}, {u"type"_s, u"Int"_s}}}));

    for (int round = 0; round < 2; ++round) {  // then nothing is left to change
        Rows before = items();
        ASSERT_EQ(run({u"append"_s, db, source}), 0) << err().toStdString();
        const Rows after = items();
        EXPECT_EQ(after.front().size() - before.front().size(),
                  summary[u"columns_added"_s].toArray().size());
        for (QVariantList& row : before)
            row.resize(after.front().size());  // the added columns were null
        EXPECT_EQ(changedRows(before, after), summary[u"changing"_s].toInt());
        summary = dryRun({u"append"_s, db, source});
        EXPECT_EQ(summary[u"changing"_s].toInt(), 0);
        EXPECT_EQ(summary[u"unchanged"_s].toInt(), 3);
        EXPECT_TRUE(summary[u"columns_added"_s].toArray().isEmpty());
    }
}

TEST_F(MergeAndTemplateDryRun, TemplatesForetellTheChangesAndTheStoppingRecord) {
    const QString kilo = description(u"一点五.htm"_s, u"<p>重量<b>1.5</b>千克</p>"_s);
    const QString two = description(u"二.htm"_s, u"2KG"_s);
    const QString none = description(u"无.htm"_s, u"没有重量"_s);
    const QString missing = dir.path(u"缺.htm"_s);
    // ID 1 changes, 2 and 3 hold their ids already, 4 stops the command, 5 changes
    // from null to an id and 6 from null to the empty text.
    testsupport::runSql(
        db,
        u"INSERT INTO BabyData(宝贝描述, 邮费模版ID) VALUES ('%1', '旧'), ('%2', '2099290'), "
        "('%3', ''), ('%4', '旧'), ('%1', NULL), ('%3', NULL)"_s.arg(kilo, two, none, missing));

    QJsonObject summary = dryRun({u"templates"_s, db});
    EXPECT_EQ(summary[u"records"_s].toInt(), 6);
    EXPECT_EQ(summary[u"readable"_s].toInt(), 5);
    EXPECT_EQ(summary[u"template_ids"_s].toObject(),
              (QJsonObject{{u"2099269"_s, 2}, {u"2099290"_s, 1}}));
    EXPECT_EQ(summary[u"no_weight"_s].toInt(), 2);
    EXPECT_EQ(summary[u"changing"_s].toInt(), 3);
    EXPECT_EQ(summary[u"unreadable_files"_s].toArray().size(), 1);
    EXPECT_EQ(summary[u"stop"_s].toObject()[u"id"_s].toInt(), 4);
    EXPECT_EQ(summary[u"stop"_s].toObject()[u"path"_s].toString(), missing);

    Rows before = items();
    EXPECT_EQ(run({u"templates"_s, db}), 1);
    EXPECT_TRUE(err().contains(missing));
    EXPECT_EQ(changedRows(before, items()),
              summary[u"stop"_s].toObject()[u"changing_before"_s].toInt());

    // With the file there, nothing stops the command; a filter narrows both alike.
    description(u"缺.htm"_s, u"6.5公斤"_s);
    for (const QStringList& filter : {QStringList{}, QStringList{u"--where"_s, u"[ID] > 3"_s}}) {
        summary = dryRun(QStringList{u"templates"_s, db} + filter);
        EXPECT_TRUE(summary[u"stop"_s].isNull());
        before = items();
        ASSERT_EQ(run(QStringList{u"templates"_s, db} + filter), 0) << err().toStdString();
        EXPECT_EQ(changedRows(before, items()), summary[u"changing"_s].toInt());
    }
}

}  // namespace
