#include <gtest/gtest.h>

#include "store/AppendDatabase.h"
#include "store/Error.h"
#include "store/ItemDatabase.h"
#include "store/ItemTable.h"
#include "tests/support/RecordingProgress.h"
#include "tests/support/TableRows.h"
#include "tests/support/TempDir.h"

namespace {

using testsupport::queryRows;
using testsupport::runSql;
using Rows = QList<QVariantList>;

// An item database with the records (ID, 宝贝名称, 宝贝价格, 宝贝链接)
// (1, 甲, 10, L1), (2, 乙, 20, L2), (3, 丙, 30, L3), and a source file beside it.
class AppendDatabase : public testing::Test {
protected:
    void SetUp() override {
        itemPath = testsupport::createItemDatabase(dir);
        runSql(itemPath, QStringLiteral("INSERT INTO BabyData(宝贝名称, 宝贝价格, 宝贝链接) VALUES "
                                        "('甲', 10, 'L1'), ('乙', 20, 'L2'), ('丙', 30, 'L3')"));
        sourcePath = dir.path(QStringLiteral("来源.mdb"));
        database.connectFile(itemPath);
        database.openItemQuery();
    }

    // A source whose Content has the item table's columns.
    void makeItemShapedSource(const QString& inserts) {
        runSql(sourcePath, store::createItemTableSql().replace(QStringLiteral("BabyData"),
                                                               QStringLiteral("Content")) +
                               u';' + inserts);
    }
    void append() {
        store::AppendHooks hooks;
        hooks.columnAdded = [this](const QString& name) { addedColumns << name; };
        hooks.reportSuccess = [this] { ++successes; };
        store::appendItemDatabase(database, sourcePath, progress, hooks);
    }
    Rows items(const QString& columns) {
        return queryRows(itemPath, QStringLiteral("SELECT ") + columns +
                                       QStringLiteral(" FROM BabyData ORDER BY ID"));
    }
    QString appendFailure() {
        try {
            append();
        } catch (const store::Error& error) {
            return error.message();
        }
        return QStringLiteral("no error");
    }

    testsupport::TempDir dir;
    QString itemPath;
    QString sourcePath;
    store::ItemDatabase database;
    testsupport::RecordingProgress progress;
    QStringList addedColumns;
    int successes = 0;
};

TEST_F(AppendDatabase, OverwritesRecordsWithAMatchingLinkTheLaterSourceRecordWinning) {
    makeItemShapedSource(QStringLiteral(
        "INSERT INTO Content(ID, 宝贝名称, 宝贝价格, 宝贝链接) VALUES (7, '新乙', 21, 'L2'), "
        "(8, '新丙', 31, 'L3'), (9, '多', 99, 'S1'), (10, '再丙', 32, 'L3'), (11, '少', 1, 'S2')"));
    append();
    EXPECT_EQ(items(QStringLiteral("ID, 宝贝名称, 宝贝价格, 宝贝链接")),
              (Rows{{1, QStringLiteral("甲"), 10, QStringLiteral("L1")},
                    {2, QStringLiteral("新乙"), 21, QStringLiteral("L2")},
                    {3, QStringLiteral("再丙"), 32, QStringLiteral("L3")}}));
    EXPECT_EQ(progress.counts(), QStringLiteral("当前/总数：3/5"));
    EXPECT_EQ(successes, 1);
    EXPECT_TRUE(addedColumns.isEmpty());
    EXPECT_EQ(database.itemQuery.recNo(), 0) << "the item query is requeried";
}

// A link is compared as the whole text: quotes and wildcard characters in it are plain characters.
TEST_F(AppendDatabase, MatchesLinksHoldingQuotesAndWildcardsExactly) {
    runSql(itemPath, QStringLiteral("UPDATE BabyData SET 宝贝链接 = 'a''b%' WHERE ID = 1;"
                                    "UPDATE BabyData SET 宝贝链接 = 'a''bc' WHERE ID = 2"));
    database.itemQuery.requery();
    makeItemShapedSource(QStringLiteral(
        "INSERT INTO Content(宝贝名称, 宝贝链接) VALUES ('新甲', 'a''b%'), ('无', 'a''b'), "
        "('无', 'a''b_')"));
    append();
    EXPECT_EQ(items(QStringLiteral("宝贝名称")),
              (Rows{{QStringLiteral("新甲")}, {QStringLiteral("乙")}, {QStringLiteral("丙")}}));
    EXPECT_EQ(progress.counts(), QStringLiteral("当前/总数：1/3"));
}

TEST_F(AppendDatabase, AddsAColumnOfTheSourceKindForEveryFieldTheTableLacks) {
    runSql(sourcePath,
           QStringLiteral(
               "CREATE TABLE Content(序号 INTEGER PRIMARY KEY, 宝贝链接 TEXT(200), 标志 Bit, "
               "件数 Int, 备注 TEXT(30), 长文 Memo, 短文 TEXT, 小数 SMALLINT, 重量 REAL, "
               "日期 DATETIME, 金额 DECIMAL, 宝贝价格 INTEGER);"
               "INSERT INTO Content VALUES (5, 'L2', 1, 7, '备', '长的文字', 'x', 3, 2.5, "
               "'2024-01-02', 1.25, 22)"));
    append();
    const QStringList added{QStringLiteral("标志"), QStringLiteral("件数"), QStringLiteral("备注"),
                            QStringLiteral("长文"), QStringLiteral("短文"), QStringLiteral("小数"),
                            QStringLiteral("重量"), QStringLiteral("日期"), QStringLiteral("金额")};
    EXPECT_EQ(addedColumns, added);
    // SQLite spells a standard type name such as Int in capitals.
    const Rows types = queryRows(
        itemPath, QStringLiteral("SELECT type FROM pragma_table_info('BabyData') WHERE cid >= 47"));
    EXPECT_EQ(types, (Rows{{QStringLiteral("Bit")},
                           {QStringLiteral("INT")},
                           {QStringLiteral("TEXT(30)")},
                           {QStringLiteral("TEXT")},
                           {QStringLiteral("TEXT")},
                           {QStringLiteral("TEXT")},
                           {QStringLiteral("TEXT")},
                           {QStringLiteral("TEXT")},
                           {QStringLiteral("TEXT")}}));
    // The values of columns outside the item query's fields reach the matched record.
    EXPECT_EQ(items(QStringLiteral("ID, 宝贝价格, 标志, 件数, 备注, 长文, 重量")).at(1),
              (QVariantList{2, 22, 1, 7, QStringLiteral("备"), QStringLiteral("长的文字"),
                            QStringLiteral("2.5")}));

    // Merging the same file again adds nothing and copies again.
    runSql(sourcePath, QStringLiteral("UPDATE Content SET 件数 = 8"));
    addedColumns.clear();
    append();
    EXPECT_TRUE(addedColumns.isEmpty());
    EXPECT_EQ(items(QStringLiteral("件数")).at(1), QVariantList{8});
    EXPECT_EQ(successes, 2);
}

TEST_F(AppendDatabase, WritesARecordTheFilterHidesByItsIdAndLeavesTheCursorRecord) {
    store::Query& itemQuery = database.itemQuery;
    itemQuery.setFilter(QStringLiteral("[宝贝链接] <> 'L2'"));
    itemQuery.setFiltered(true);
    makeItemShapedSource(
        QStringLiteral("INSERT INTO Content(宝贝名称, 宝贝链接) VALUES ('新乙', 'L2');"
                       "ALTER TABLE Content ADD COLUMN 备注 TEXT(10);"
                       "UPDATE Content SET 宝贝价格 = '25', 备注 = '注'"));
    append();
    EXPECT_EQ(items(QStringLiteral("宝贝名称, typeof(宝贝价格), 宝贝价格, 备注")),
              (Rows{{QStringLiteral("甲"), QStringLiteral("integer"), 10, QVariant()},
                    {QStringLiteral("新乙"), QStringLiteral("integer"), 25, QStringLiteral("注")},
                    {QStringLiteral("丙"), QStringLiteral("integer"), 30, QVariant()}}));
    EXPECT_EQ(progress.counts(), QStringLiteral("当前/总数：1/1"));
}

TEST_F(AppendDatabase, AValueAFieldRefusesCancelsTheWholeRecord) {
    runSql(sourcePath,
           QStringLiteral("CREATE TABLE Content(宝贝链接 TEXT(200), 宝贝名称 TEXT(150), "
                          "宝贝价格 TEXT(10));"
                          "INSERT INTO Content VALUES ('L1', '新甲', 'abc')"));
    EXPECT_EQ(appendFailure(), QStringLiteral("'abc' is not a valid integer value"));
    store::Query& itemQuery = database.itemQuery;
    EXPECT_EQ(itemQuery.state(), store::DataSetState::Browse);
    itemQuery.last();
    itemQuery.requery();
    EXPECT_EQ(items(QStringLiteral("宝贝名称")).at(0), QVariantList{QStringLiteral("甲")});
}

TEST_F(AppendDatabase, FailsWithTheEngineMessageAndKeepsTheColumnsAddedBeforeIt) {
    struct Failure {
        QString sourceSql;  // empty: no source file
        QString message;
    };
    const Failure failures[] = {
        {QString(), QStringLiteral("unable to open database file: ") + sourcePath},
        {QStringLiteral("CREATE TABLE Andere(宝贝链接 TEXT)"),
         QStringLiteral("no such table: Content")},
        {QStringLiteral("CREATE TABLE Content(宝贝名称 TEXT); INSERT INTO Content VALUES ('x')"),
         QStringLiteral("ADOQuery3: Field '宝贝链接' not found")},
        {QStringLiteral("CREATE TABLE Content(宝贝链接 TEXT, 尺寸 Int, \"颜色 分类\" TEXT(9))"),
         QStringLiteral("Syntax error in field definition.")},
    };
    for (const Failure& failure : failures) {
        QFile::remove(sourcePath);
        if (!failure.sourceSql.isEmpty()) {
            runSql(sourcePath, failure.sourceSql);
        }
        EXPECT_EQ(appendFailure(), failure.message);
    }
    EXPECT_EQ(addedColumns, QStringList{QStringLiteral("尺寸")});
    EXPECT_EQ(
        queryRows(itemPath, QStringLiteral("SELECT count(*) FROM pragma_table_info('BabyData')")),
        (Rows{{48}}));
    EXPECT_EQ(successes, 0);
}

}  // namespace
