#include <gtest/gtest.h>

#include "store/ConnectionString.h"
#include "store/Error.h"
#include "store/ItemDatabase.h"
#include "store/JetDialect.h"
#include "store/TableCommands.h"
#include "tests/support/TempDir.h"

namespace {

TEST(ConnectionString, CarriesThePathVerbatim) {
    const QString path = QStringLiteral("/tmp/店 铺;数据/Data.mdb");
    const QString text = store::connectionStringFor(path);
    EXPECT_EQ(
        text,
        QStringLiteral(
            "Provider=Microsoft.Jet.OLEDB.4.0;Password=\"\";Data Source=/tmp/店 铺;数据/Data.mdb;"
            "Persist Security Info=True"));
}

class ConnectionStringPath : public testing::TestWithParam<const char*> {};

TEST_P(ConnectionStringPath, IsReadBackWholeAndOnlyItsModeKeyMakesItReadOnly) {
    const QString path = QString::fromUtf8(GetParam());
    EXPECT_EQ(store::dataSourceOf(store::connectionStringFor(path)), path);
    EXPECT_FALSE(store::isReadOnly(store::connectionStringFor(path)));
    EXPECT_EQ(store::dataSourceOf(store::readOnlyConnectionStringFor(path)), path);
    EXPECT_TRUE(store::isReadOnly(store::readOnlyConnectionStringFor(path)));
}

INSTANTIATE_TEST_SUITE_P(Paths, ConnectionStringPath,
                         testing::Values("/tmp/店 铺;数据/Data.mdb", "shop.db;v=2",
                                         "a;name=b;c=d.mdb", "x;=y", "trailing;", "Data.mdb",
                                         "a;Mode=Read;b.mdb"));

TEST(JetDialect, TranslatesSelectIntoAndLeavesTheRest) {
    EXPECT_EQ(store::translateJetStatement(
                  QStringLiteral("SELECT Min(BabyData.ID) AS ID INTO BabyDataID FROM BabyData "
                                 "GROUP BY BabyData.宝贝名称 HAVING Count(*)=1")),
              QStringLiteral(
                  "CREATE TABLE BabyDataID AS SELECT Min(BabyData.ID) AS ID FROM BabyData GROUP BY "
                  "BabyData.宝贝名称 HAVING Count(*)=1"));
    const QString insert =
        QStringLiteral("INSERT INTO BabyDataID(ID) SELECT Min(BabyData.ID) AS ID FROM BabyData");
    EXPECT_EQ(store::translateJetStatement(insert), insert);
}

class ItemDatabaseFile : public testing::Test {
protected:
    void SetUp() override {
        path = testsupport::createItemDatabase(dir, QStringLiteral("数据 文件.mdb"));
    }
    long long count(const char* sql) {
        return testsupport::querySingleInt(path, QString::fromUtf8(sql));
    }
    void open() {
        database.connectFile(path);
        database.openItemQuery();
    }

    testsupport::TempDir dir;
    QString path;
    store::ItemDatabase database;
};

TEST_F(ItemDatabaseFile, DialectStatementsRunThroughTheWorkQuery) {
    open();
    store::Connection& connection = database.itemConnection;
    connection.execute(QStringLiteral("alter table BabyData add COLUMN 标志 Bit"));
    connection.execute(QStringLiteral("alter table BabyData add COLUMN 备注 TEXT(30)"));
    connection.execute(QStringLiteral("alter table BabyData add COLUMN 长文 Memo"));
    connection.execute(
        QStringLiteral("INSERT INTO BabyData(宝贝名称, 宝贝链接) VALUES ('it''s', 'L1')"));
    store::Query& work = database.workQuery;
    work.setSql(QStringLiteral("select 宝贝链接 from BabyData where 宝贝链接='L1'"));
    work.open();
    EXPECT_EQ(work.recordCount(), 1);
    EXPECT_EQ(count("SELECT count(*) FROM BabyData WHERE 宝贝名称 = 'it''s'"), 1);
}

TEST_F(ItemDatabaseFile, TableNamesIncludeSystemTablesWithoutRegardToCase) {
    open();
    EXPECT_TRUE(database.itemConnection.tableExists(QStringLiteral("babydata")));
    EXPECT_TRUE(database.itemConnection.tableExists(QStringLiteral("SQLITE_SEQUENCE")));
    EXPECT_FALSE(database.itemConnection.tableExists(QStringLiteral("BabyDataID")));
}

TEST_F(ItemDatabaseFile, TwoConnectionsShareTheFile) {
    open();
    store::ItemDatabase other;
    other.connectFile(path);
    other.openItemQuery();
    {
        store::Connection::Batch batch(database.itemConnection);
        database.itemQuery.append();
        database.itemQuery.field(0).setText(QStringLiteral("mine"));
        database.itemQuery.post();
    }
    other.itemQuery.append();
    other.itemQuery.field(0).setText(QStringLiteral("theirs"));
    other.itemQuery.post();
    database.itemQuery.requery();
    EXPECT_EQ(database.itemQuery.recordCount(), 2);
}

TEST_F(ItemDatabaseFile, NoDatabaseFileGivesTheEnginesMessage) {
    const QString text = dir.path(QStringLiteral("text.mdb"));
    testsupport::runSql(dir.path(QStringLiteral("ignored.db")), QStringLiteral("SELECT 1"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    database.connectFile(text);
    EXPECT_THROW(database.openItemQuery(), store::Error);
    database.connectFile(dir.path(QStringLiteral("missing.mdb")));
    EXPECT_THROW(database.openItemQuery(), store::Error);
}

struct DedupeCase {
    const char* rows;  // VALUES list of (ID, 宝贝名称)
    const char* kept;  // IDs left, ascending, joined by ','
};

class RemoveDuplicates : public ItemDatabaseFile, public testing::WithParamInterface<DedupeCase> {};

TEST_P(RemoveDuplicates, KeepsTheLowestIdOfEveryNameGroup) {
    if (*GetParam().rows)
        testsupport::runSql(path, QStringLiteral("INSERT INTO BabyData(ID, 宝贝名称) VALUES ") +
                                      QString::fromUtf8(GetParam().rows));
    testsupport::runSql(
        path,
        QStringLiteral("CREATE TABLE BabyDataID (ID INTEGER); INSERT INTO BabyDataID VALUES (5)"));
    open();
    store::removeDuplicates(database);
    QStringList kept;
    for (int row = 0; row < database.itemQuery.rowCount(); ++row)
        kept << database.itemQuery.rowValue(row, 46).toString();
    EXPECT_EQ(kept.join(u','), QString::fromUtf8(GetParam().kept));
    EXPECT_FALSE(database.itemConnection.tableExists(QStringLiteral("BabyDataID")));
}

INSTANTIATE_TEST_SUITE_P(Groups, RemoveDuplicates,
                         testing::Values(DedupeCase{"", ""},
                                         DedupeCase{"(5,'A'),(2,'A'),(9,'A'),(4,'B')", "2,4"},
                                         DedupeCase{"(3,NULL),(1,NULL),(8,NULL),(2,'x')", "1,2"},
                                         DedupeCase{"(1,'a'),(2,'A'),(3,'a ')", "1,2,3"}));

TEST_F(ItemDatabaseFile, ClearAllEmptiesTheTableAndReopensTheQuery) {
    testsupport::runSql(
        path, QStringLiteral(
                  "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i < 1000) "
                  "INSERT INTO BabyData(宝贝名称) SELECT 'n' || i FROM n"));
    database.connectFile(path);
    store::clearAll(database);
    EXPECT_TRUE(database.itemQuery.isActive());
    EXPECT_EQ(database.itemQuery.recordCount(), 0);
    EXPECT_EQ(count("SELECT count(*) FROM BabyData"), 0);
}

TEST_F(ItemDatabaseFile, ReadOnlyFileRefusesTheStatementAndKeepsTheRows) {
    testsupport::runSql(path, QStringLiteral("INSERT INTO BabyData(宝贝名称) VALUES ('a'), ('a')"));
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    if (QFileInfo(path).isWritable())
        GTEST_SKIP() << "running as a user who can write any file";
    open();
    EXPECT_THROW(store::removeDuplicates(database), store::Error);
    EXPECT_EQ(count("SELECT count(*) FROM BabyData"), 2);
}

TEST_F(ItemDatabaseFile, APathHoldingAKeyOpensThatVeryFile) {
    const QString plain = testsupport::createItemDatabase(dir, QStringLiteral("shop.db"));
    const QString other = testsupport::createItemDatabase(dir, QStringLiteral("shop.db;v=2"));
    for (const QString& file : {plain, other})
        testsupport::runSql(file, QStringLiteral("INSERT INTO BabyData(宝贝名称) VALUES ('a')"));
    database.connectFile(other);
    store::clearAll(database);
    const QString rows = QStringLiteral("SELECT count(*) FROM BabyData");
    EXPECT_EQ(testsupport::querySingleInt(plain, rows), 1);
    EXPECT_EQ(testsupport::querySingleInt(other, rows), 0);
}

int countCommit(void* commits) {
    ++*static_cast<int*>(commits);
    return 0;
}

TEST_F(ItemDatabaseFile, TableCommandsCommitOnceAndLeaveNoPendingRecord) {
    testsupport::runSql(
        path, QStringLiteral("INSERT INTO BabyData(宝贝名称) VALUES ('a'), ('a'), ('b')"));
    open();
    int commits = 0;
    sqlite3_commit_hook(database.itemConnection.handle(), countCommit, &commits);
    store::removeDuplicates(database);
    EXPECT_EQ(commits, 1) << "another process could write between the statements";
    EXPECT_EQ(count("SELECT count(*) FROM BabyData"), 2);

    database.itemQuery.append();
    database.itemQuery.field(0).setText(QStringLiteral("being inserted"));
    commits = 0;
    store::clearAll(database);
    EXPECT_LE(commits, 2);
    EXPECT_EQ(count("SELECT count(*) FROM BabyData"), 0);
    EXPECT_EQ(database.itemQuery.recordCount(), 0);
    sqlite3_commit_hook(database.itemConnection.handle(), nullptr, nullptr);
}

}  // namespace
