#include <functional>

#include <gtest/gtest.h>

#include "store/DataLink.h"
#include "store/DataSource.h"
#include "store/Error.h"
#include "store/ItemDatabase.h"
#include "store/ItemTable.h"
#include "store/ReadSnapshot.h"
#include "store/RowCache.h"
#include "tests/support/TableRows.h"
#include "tests/support/TempDir.h"

namespace {

using store::DataSetState;

class ItemQuery : public testing::Test {
protected:
    void SetUp() override { path = testsupport::createItemDatabase(dir); }

    void addNames(std::initializer_list<const char16_t*> names) {
        QString sql;
        for (const char16_t* name : names)
            sql += QStringLiteral("INSERT INTO BabyData(宝贝名称) VALUES ('") +
                   QString::fromUtf16(name) + QStringLiteral("');");
        testsupport::runSql(path, sql);
    }
    // Rows named n1, n2, ... priced 1, 2, ...
    void addNumbered(int count) {
        testsupport::runSql(
            path,
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n "
                           "WHERE i < %1) "
                           "INSERT INTO BabyData(宝贝名称, 宝贝价格) SELECT 'n' || i, i FROM n")
                .arg(count));
    }
    void open() {
        database.connectFile(path);
        database.openItemQuery();
    }
    store::Query& query() { return database.itemQuery; }
    QString name() { return query().field(0).asText(); }
    long long rows() {
        return testsupport::querySingleInt(path, QStringLiteral("SELECT count(*) FROM BabyData"));
    }

    testsupport::TempDir dir;
    QString path;
    store::ItemDatabase database;
};

TEST_F(ItemQuery, PresentsDeclaredFieldsWhateverThePhysicalOrder) {
    // Build the remaining columns from the declared list, in reverse order.
    QString sql = QStringLiteral("DROP TABLE BabyData; CREATE TABLE BabyData (多余 TEXT");
    const auto& fields = store::itemFields();
    for (auto it = fields.rbegin(); it != fields.rend(); ++it) {
        sql += QStringLiteral(", ") + it->name +
               (it->kind == store::FieldKind::AutoInc   ? QStringLiteral(" INTEGER PRIMARY KEY")
                : it->kind == store::FieldKind::Integer ? QStringLiteral(" INTEGER")
                                                        : QStringLiteral(" TEXT"));
    }
    testsupport::runSql(
        path, sql + QStringLiteral(
                        "); INSERT INTO BabyData(宝贝名称, 多余, 宝贝价格) VALUES ('a', 'x', 5)"));
    open();
    ASSERT_EQ(query().fieldCount(), 47);
    EXPECT_EQ(query().field(0).name(), QStringLiteral("宝贝名称"));
    EXPECT_EQ(query().field(46).name(), QStringLiteral("ID"));
    EXPECT_EQ(query().field(7).asText(), QStringLiteral("5"));
    EXPECT_EQ(query().findField(QStringLiteral("多余")), nullptr);
}

struct BrokenTable {
    const char* sql;
    const char16_t* message;
};

class BrokenItemTable : public ItemQuery, public testing::WithParamInterface<BrokenTable> {};

TEST_P(BrokenItemTable, RefusesToOpenWithTheEnginesMessage) {
    testsupport::runSql(path, QString::fromUtf8(GetParam().sql));
    database.connectFile(path);
    try {
        database.openItemQuery();
        FAIL() << "opened";
    } catch (const store::Error& error) {
        EXPECT_EQ(error.message(), QString::fromUtf16(GetParam().message));
    }
    EXPECT_FALSE(query().isActive());
}

INSTANTIATE_TEST_SUITE_P(
    Tables, BrokenItemTable,
    testing::Values(
        BrokenTable{"ALTER TABLE BabyData DROP COLUMN 宝贝链接",
                    u"ADOQuery1: Field '宝贝链接' not found"},
        BrokenTable{
            "ALTER TABLE BabyData DROP COLUMN 宝贝价格; ALTER TABLE BabyData ADD COLUMN 宝贝价格 "
            "REAL",
            u"ADOQuery1: Type mismatch for field '宝贝价格', expecting: Integer actual: Float"},
        BrokenTable{"DROP TABLE BabyData", u"no such table: BabyData"},
        BrokenTable{
            "ALTER TABLE BabyData RENAME TO Old; CREATE TABLE BabyData AS SELECT * FROM Old",
            u"ADOQuery1: Type mismatch for field 'ID', expecting: AutoInc actual: Integer"}));

TEST_F(ItemQuery, MovesSetBeginningAndEndFlagsOnlyWhenAMoveFails) {
    addNames({u"a", u"b", u"c"});
    open();
    EXPECT_TRUE(query().bof());
    query().next();
    query().prior();
    EXPECT_EQ(name(), QStringLiteral("a"));
    EXPECT_FALSE(query().bof()) << "stepping back onto the first record is no failed move";
    query().prior();
    EXPECT_TRUE(query().bof());
    query().last();
    EXPECT_TRUE(query().eof());
    EXPECT_EQ(query().moveBy(-5), -2);
    EXPECT_TRUE(query().bof());
}

TEST_F(ItemQuery, InsertGoesBeforeTheCurrentRecordAndAppendAfterTheLast) {
    addNames({u"a", u"b"});
    open();
    query().next();
    query().insert();
    EXPECT_EQ(query().rowCount(), 3);
    EXPECT_EQ(query().recordCount(), 2);
    query().field(0).setText(QStringLiteral("new"));
    EXPECT_EQ(query().rowValue(1, 0).toString(), QStringLiteral("new"));
    EXPECT_EQ(query().rowValue(2, 0).toString(), QStringLiteral("b"));
    query().append();  // posts the inserted record first
    EXPECT_EQ(rows(), 3);
    EXPECT_TRUE(query().eof());
    EXPECT_EQ(query().recNo(), 3);
    query().cancel();
    EXPECT_EQ(query().rowCount(), 3);
    EXPECT_EQ(name(), QStringLiteral("b"));
}

TEST_F(ItemQuery, MovingSettlesAPendingEdit) {
    addNames({u"a", u"b"});
    open();
    query().append();  // untouched: cancelled by the move
    query().first();
    EXPECT_EQ(rows(), 2);
    query().edit();
    query().field(0).setText(QStringLiteral("changed"));
    query().next();
    EXPECT_EQ(query().state(), DataSetState::Browse);
    EXPECT_EQ(testsupport::querySingleInt(
                  path, QStringLiteral("SELECT count(*) FROM BabyData WHERE 宝贝名称='changed'")),
              1);
}

TEST_F(ItemQuery, AppendedRecordGetsItsIdFromTheEngine) {
    addNames({u"a"});
    open();
    query().append();
    query().field(0).setText(QStringLiteral("b"));
    query().post();
    EXPECT_EQ(query().field(46).asText(), QStringLiteral("2"));
    EXPECT_TRUE(query().bookmark().valid);
}

TEST_F(ItemQuery, RefusedIdIsReportedAndTheRecordStaysInEditing) {
    addNames({u"a", u"b"});
    open();
    query().edit();
    query().field(46).setText(QStringLiteral("2"));
    EXPECT_THROW(query().post(), store::Error);
    EXPECT_EQ(query().state(), DataSetState::Edit);
    EXPECT_EQ(query().field(46).asText(), QStringLiteral("2"));
    query().field(46).setText(QStringLiteral("77"));
    query().post();
    EXPECT_EQ(testsupport::querySingleInt(
                  path, QStringLiteral("SELECT ID FROM BabyData WHERE 宝贝名称='a'")),
              77);
    EXPECT_TRUE(query().locate(QStringLiteral("ID"), 77));
}

TEST_F(ItemQuery, DeleteKeepsTheCursorInRangeAndEmptiesCleanly) {
    addNames({u"a", u"b"});
    open();
    query().last();
    query().remove();
    EXPECT_EQ(name(), QStringLiteral("a"));
    query().remove();
    EXPECT_TRUE(query().isEmpty());
    EXPECT_TRUE(query().bof() && query().eof());
    EXPECT_THROW(query().remove(), store::Error);
    query().edit();  // editing an empty dataset inserts
    EXPECT_EQ(query().state(), DataSetState::Insert);
}

TEST_F(ItemQuery, LocateAndLookupFollowTheCurrentOrder) {
    addNames({u"b", u"a", u"b"});
    open();
    query().setSort(QStringLiteral("[ID] DESC"));
    ASSERT_TRUE(query().locate(QStringLiteral("宝贝名称"), QStringLiteral("b")));
    EXPECT_EQ(query().field(46).asText(), QStringLiteral("3"));
    EXPECT_FALSE(query().locate(QStringLiteral("宝贝名称"), QStringLiteral("B")))
        << "whole value, case kept";
    EXPECT_EQ(query()
                  .lookup(QStringLiteral("宝贝名称"), QStringLiteral("a"), QStringLiteral("ID"))
                  .toInt(),
              2);
    EXPECT_TRUE(query()
                    .lookup(QStringLiteral("宝贝名称"), QStringLiteral("zz"), QStringLiteral("ID"))
                    .isNull());
}

TEST_F(ItemQuery, FilterSurvivesReopeningAndABadTextKeepsTheOldOne) {
    addNames({u"apple", u"Banana", u"cherry"});
    open();
    query().setFilter(QStringLiteral("[宝贝名称] Like '*an*'"));
    query().setFiltered(true);
    EXPECT_EQ(query().recordCount(), 1);
    EXPECT_THROW(query().setFilter(QStringLiteral("[宝贝名称] = ")), store::Error);
    EXPECT_EQ(query().filter(), QStringLiteral("[宝贝名称] Like '*an*'"));
    EXPECT_EQ(query().recordCount(), 1);
    query().setSort(QStringLiteral("[宝贝名称] DESC"));
    query().close();
    query().open();
    EXPECT_EQ(query().recordCount(), 1) << "the filter is the query's";
    EXPECT_TRUE(query().sort().isEmpty()) << "the order belongs to the open result";
    query().setFilter(QString());
    EXPECT_EQ(query().recordCount(), 3);
}

TEST_F(ItemQuery, NotificationsArriveInOrderAndLinksHearChanges) {
    addNames({u"a"});
    struct Recorder : store::DataLink {
        QStringList events;
        void activeChanged() override { events << QStringLiteral("active"); }
        void dataSetChanged() override { events << QStringLiteral("changed"); }
        void dataSetScrolled(int) override { events << QStringLiteral("scrolled"); }
        void editingChanged() override { events << QStringLiteral("editing"); }
        void updateData() override { events << QStringLiteral("update"); }
    } link;
    store::DataSource source;
    source.addLink(&link);
    source.setDataSet(&query());
    QStringList events;
    const auto record = [&](const char* what) {
        return [&events, what](store::Query&) { events << QString::fromUtf8(what); };
    };
    query().afterOpen = record("open");
    query().afterScroll = record("scroll");
    query().afterInsert = record("insert");
    query().afterPost = record("post");
    query().afterCancel = record("cancel");
    query().beforeDelete = record("delete");
    query().afterClose = record("close");

    open();
    query().append();
    query().field(0).setText(QStringLiteral("b"));
    query().post();
    query().remove();
    query().append();
    query().cancel();
    query().close();
    EXPECT_EQ(
        events.join(u' '),
        QStringLiteral("open scroll insert scroll post delete scroll insert scroll cancel close"));
    EXPECT_TRUE(link.events.contains(QStringLiteral("update")));
    EXPECT_EQ(link.events.front(), QStringLiteral("active"));

    link.events.clear();
    query().open();
    query().disableControls();
    query().next();
    query().prior();
    EXPECT_TRUE(link.events == QStringList{QStringLiteral("active")});
    query().enableControls();
    EXPECT_EQ(link.events.back(), QStringLiteral("changed"));
    query().close();
    query().afterClose = nullptr;
}

TEST_F(ItemQuery, ALinkThatOutlivesItsDataSourceForgetsIt) {
    struct Link : store::DataLink {
        using store::DataLink::attachTo;
        int activeChanges = 0;
        void activeChanged() override { ++activeChanges; }
    } link;
    {
        store::DataSource source;
        source.setDataSet(&query());
        ASSERT_TRUE(link.attachTo(&source));
        EXPECT_FALSE(link.attachTo(&source));
        EXPECT_EQ(source.links().size(), 1u);
    }
    EXPECT_EQ(link.dataSource(), nullptr);
    EXPECT_EQ(link.activeChanges, 1);
    open();  // the query no longer knows the source either
}

TEST_F(ItemQuery, RequerySettlesAndSeesOtherWriters) {
    addNames({u"a"});
    open();
    query().edit();
    query().field(0).setText(QStringLiteral("edited"));
    testsupport::runSql(path,
                        QStringLiteral("INSERT INTO BabyData(宝贝名称) VALUES ('from elsewhere')"));
    query().requery();
    EXPECT_EQ(query().recordCount(), 2);
    EXPECT_EQ(query().recNo(), 0);
    EXPECT_EQ(name(), QStringLiteral("edited"));
}

TEST_F(ItemQuery, BatchKeepsRecordsPostedBeforeAFailure) {
    open();
    try {
        store::Connection::Batch batch(database.itemConnection);
        for (int i = 1; i <= 3; ++i) {
            query().append();
            query().field(0).setText(QString::number(i));
        }
        query().field(46).setText(QStringLiteral("1"));  // the ID of the first record
        query().post();
        FAIL() << "duplicate ID accepted";
    } catch (const store::Error&) {
    }
    EXPECT_EQ(rows(), 2);
}

TEST_F(ItemQuery, ReadsLargeTablesByKeyNotByValue) {
    addNumbered(20000);
    open();
    EXPECT_EQ(query().recordCount(), 20000);
    EXPECT_EQ(query().rowValue(19999, 7).toInt(), 20000);
    EXPECT_EQ(query().rowValue(5000, 0).toString(), QStringLiteral("n5001"));
    query().last();
    EXPECT_EQ(query().field(7).asText(), QStringLiteral("20000"));
}

// Searches walk the whole dataset a block of rows at a time: the values come
// in the dataset's order, from the record being inserted or edited where it
// stands, with one statement per block.
TEST_F(ItemQuery, RowValuesComeInResultOrderOneStatementPerBlock) {
    constexpr int kCount = 1200;
    addNumbered(kCount);
    open();
    query().setSort(QStringLiteral("[ID] DESC"));
    int statements = 0;
    sqlite3_trace_v2(
        query().connection().handle(), SQLITE_TRACE_STMT,
        [](unsigned, void* count, void*, void*) {
            ++*static_cast<int*>(count);
            return 0;
        },
        &statements);
    const std::vector<QVariant> values = query().rowValues(0, kCount + 10, {7, 0});
    ASSERT_EQ(values.size(), 2u * kCount) << "rows past the end are not read";
    for (int row = 0; row < kCount; ++row) {
        ASSERT_EQ(values[2 * row].toInt(), kCount - row) << "row " << row;
        ASSERT_EQ(values[2 * row + 1].toString(), QStringLiteral("n%1").arg(kCount - row));
    }
    const int blocks =
        (kCount + store::RowCache::kValueBlockSize - 1) / store::RowCache::kValueBlockSize;
    EXPECT_EQ(statements, blocks);

    query().moveTo(5);
    query().insert();
    query().field(0).setText(QStringLiteral("new"));
    std::vector<QVariant> around = query().rowValues(4, 3, {0});
    EXPECT_EQ(around[0].toString(), QStringLiteral("n1196"));
    EXPECT_EQ(around[1].toString(), QStringLiteral("new"));
    EXPECT_EQ(around[2].toString(), QStringLiteral("n1195"));
    query().cancel();
    query().edit();
    query().field(0).setText(QStringLiteral("changed"));
    around = query().rowValues(4, 3, {0});
    EXPECT_EQ(around[1].toString(), QStringLiteral("changed"));
    testsupport::runSql(path, QStringLiteral("DELETE FROM BabyData WHERE ID = 1194"));
    around = query().rowValues(6, 1, {0});
    EXPECT_TRUE(around[0].isNull()) << "a row deleted by another writer reads null";
    sqlite3_trace_v2(query().connection().handle(), 0, nullptr, nullptr);
}

// Appends that assign a different set of fields each time, more sets than
// the dataset keeps statements for and back again: a field left out holds its
// column's DEFAULT (or null without one), an assigned field its value.
TEST_F(ItemQuery, AppendsAssigningDifferentFieldsKeepTheColumnDefaults) {
    testsupport::runSql(path, QStringLiteral("CREATE TABLE T (id INTEGER PRIMARY KEY, "
                                             "a TEXT DEFAULT 'da', b INTEGER DEFAULT 7, c TEXT, "
                                             "d INTEGER, e TEXT DEFAULT (lower('XY')), "
                                             "f INTEGER NOT NULL DEFAULT -1)"));
    const QStringList defaults = {QStringLiteral("'da'"), QStringLiteral("7"),
                                  QStringLiteral("NULL"), QStringLiteral("NULL"),
                                  QStringLiteral("'xy'"), QStringLiteral("-1")};
    const std::vector<bool> textColumn = {true, false, true, false, true, false};
    open();
    store::Query& table = database.workQuery;
    table.setSql(QStringLiteral("Select * from T"));
    table.open();

    // Every non-empty set of the six fields in Gray-code order, then back.
    std::vector<unsigned> sets;
    for (unsigned n = 1; n < 64; ++n)
        sets.push_back(n ^ (n >> 1));
    sets.insert(sets.end(), sets.rbegin(), sets.rend());
    QStringList expected;
    for (std::size_t record = 0; record < sets.size(); ++record) {
        table.append();
        QStringList values;
        for (int column = 0; column < 6; ++column) {
            if (!(sets[record] & (1u << column))) {
                values << defaults[column];
                continue;
            }
            const QString value = QString::number(record * 10 + column);
            table.field(column + 1).setText(value);
            values << (textColumn[column] ? u'\'' + value + u'\'' : value);
        }
        expected << values.join(u',');
    }
    table.post();

    const QList<QVariantList> rows = testsupport::queryRows(
        path, QStringLiteral("SELECT quote(a) || ',' || quote(b) || ',' || quote(c) || ',' || "
                             "quote(d) || ',' || quote(e) || ',' || quote(f) FROM T ORDER BY id"));
    ASSERT_EQ(rows.size(), expected.size());
    for (qsizetype record = 0; record < rows.size(); ++record)
        EXPECT_EQ(rows[record][0].toString(), expected[record]) << "record " << record;
}

TEST_F(ItemQuery, ARowHandedOutOutlivesTheCacheItWasReadFrom) {
    addNumbered(20000);
    open();
    const auto& first = query().currentRow();
    for (int row = query().recordCount() - 1; row >= 0; --row)
        ASSERT_EQ(query().rowValue(row, 7).toInt(), row + 1);
    EXPECT_EQ(first[0].toString(), QStringLiteral("n1"));
}

TEST_F(ItemQuery, StatementsOtherThanSelectStarAreReadOnlySnapshots) {
    addNames({u"a", u"b"});
    open();
    store::Query& work = database.workQuery;
    work.setSql(QStringLiteral("select 宝贝名称 from BabyData where 宝贝名称='b'"));
    work.open();
    EXPECT_EQ(work.recordCount(), 1);
    EXPECT_EQ(work.field(0).asText(), QStringLiteral("b"));
    EXPECT_FALSE(work.canModify());
    database.itemConnection.close();
    EXPECT_FALSE(work.isActive());
    EXPECT_FALSE(query().isActive());
}

TEST_F(ItemQuery, ARecordAnotherProcessDeletedIsNeitherChangedNorDeletedSilently) {
    addNames({u"a", u"b"});
    open();
    testsupport::runSql(path, QStringLiteral("DELETE FROM BabyData"));
    EXPECT_THROW(query().currentRow(), store::Error) << "a vanished record is no empty record";
    query().edit();
    query().field(0).setText(QStringLiteral("typed"));
    try {
        query().post();
        FAIL() << "posted";
    } catch (const store::Error& error) {
        EXPECT_TRUE(
            error.message().endsWith(QStringLiteral("Record not found or changed by another user")))
            << error.message().toStdString();
    }
    EXPECT_EQ(query().state(), DataSetState::Edit);
    EXPECT_EQ(name(), QStringLiteral("typed"));
    query().cancel();
    query().next();
    EXPECT_THROW(query().remove(), store::Error);
}

// Whatever a command does first after opening with the keys unread, it
// sees the rows that pass the filter, in order.
TEST_F(ItemQuery, KeysReadOnDemandServeWhateverComesFirst) {
    struct FirstStep {
        const char* name;
        std::function<void()> run;
    };
    const auto record = [this] { return query().field(0).asText(); };
    const std::vector<FirstStep> steps{
        {"count", [&] { EXPECT_EQ(query().recordCount(), 3); }},
        {"rows", [&] { EXPECT_EQ(query().rowCount(), 3); }},
        {"value", [&] { EXPECT_EQ(record(), QStringLiteral("n3")); }},
        {"last",
         [&] {
             query().last();
             EXPECT_EQ(query().recNo(), 2);
             EXPECT_EQ(record(), QStringLiteral("n5"));
         }},
        {"append",
         [&] {
             query().append();
             query().field(0).setText(QStringLiteral("new"));
             query().post();
             EXPECT_EQ(query().recordCount(), 4);
             EXPECT_EQ(query().recNo(), 3);
             EXPECT_EQ(rows(), 6);
         }},
        {"edit",
         [&] {
             query().edit();
             query().field(0).setText(QStringLiteral("changed"));
             query().post();
             EXPECT_EQ(testsupport::querySingleInt(
                           path, QStringLiteral("SELECT 宝贝价格 FROM BabyData WHERE 宝贝名称 = "
                                                "'changed'")),
                       3);
         }},
        {"remove",
         [&] {
             query().remove();
             EXPECT_EQ(rows(), 4);
             EXPECT_EQ(query().recordCount(), 2);
             EXPECT_EQ(record(), QStringLiteral("n4"));
         }},
        {"locate",
         [&] {
             EXPECT_TRUE(query().locate(QStringLiteral("宝贝名称"), QStringLiteral("n4")));
             EXPECT_EQ(query().recNo(), 1);
         }},
        {"bookmark",
         [&] {
             const store::Query::Bookmark mark = query().bookmark();
             EXPECT_TRUE(mark.valid);
             EXPECT_EQ(mark.key,
                       testsupport::querySingleInt(
                           path, QStringLiteral("SELECT ID FROM BabyData WHERE 宝贝名称 = 'n3'")));
         }},
    };
    addNumbered(5);
    query().setKeysOnDemand(true);
    query().setFilter(QStringLiteral("[宝贝价格] > 2"));
    query().setFiltered(true);
    for (const FirstStep& step : steps) {
        SCOPED_TRACE(step.name);
        testsupport::runSql(path, QStringLiteral("DELETE FROM BabyData"));
        addNumbered(5);
        database.closeAll();
        open();
        step.run();
    }
    testsupport::runSql(path, QStringLiteral("DELETE FROM BabyData WHERE 宝贝价格 > 2"));
    database.closeAll();
    open();
    EXPECT_TRUE(query().isEmpty());
    EXPECT_EQ(query().recNo(), -1);
    EXPECT_TRUE(query().eof());
    EXPECT_EQ(query().recordCount(), 0);
}

TEST_F(ItemQuery, NoRecordGetsAnIdBeyondThirtyTwoBits) {
    testsupport::runSql(
        path, QStringLiteral("INSERT INTO BabyData(ID, 宝贝名称) VALUES (2147483647, 'last')"));
    open();
    query().append();
    query().field(0).setText(QStringLiteral("one too many"));
    try {
        query().post();
        FAIL() << "posted";
    } catch (const store::Error& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("'ID'")))
            << error.message().toStdString();
    }
    EXPECT_EQ(query().state(), DataSetState::Insert);
    EXPECT_EQ(rows(), 1);
}

TEST_F(ItemQuery, ASnapshotReadsTheTableAsItIsAndHoldsItForTheWalk) {
    addNames({u"a", u"b", u"c"});
    open();
    testsupport::runSql(path, QStringLiteral("DELETE FROM BabyData WHERE 宝贝名称 <> 'b'"));
    {
        const store::ReadSnapshot snapshot(query());
        EXPECT_EQ(query().recordCount(), 1);
        EXPECT_EQ(query().currentRow()[0].toString(), QStringLiteral("b"));
        EXPECT_THROW(testsupport::runSql(path, QStringLiteral("DELETE FROM BabyData")),
                     std::runtime_error)
            << "another writer waits for the walk";
    }
    testsupport::runSql(path, QStringLiteral("DELETE FROM BabyData"));
    EXPECT_EQ(rows(), 0);
}

TEST_F(ItemQuery, BatchWhoseCommitFailsRaisesAndUndoesEverything) {
    addNames({u"a"});
    open();
    sqlite3_busy_timeout(database.itemConnection.handle(), 0);
    sqlite3* reader = nullptr;
    sqlite3_open(path.toUtf8().constData(), &reader);
    sqlite3_exec(reader, "BEGIN; SELECT count(*) FROM BabyData;", nullptr, nullptr, nullptr);
    {
        store::Connection::Batch batch(database.itemConnection);
        query().append();
        query().field(0).setText(QStringLiteral("b"));
        query().post();
        EXPECT_THROW(batch.commit(), store::Error);
        EXPECT_FALSE(batch.keepAfterFailure());
    }
    sqlite3_exec(reader, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(reader);
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(query().recordCount(), 1) << "the undone record is no longer shown";
}

struct FilterFailure {
    const char* name;
    QString filter;
};

class FilterThatCannotBeEvaluated : public ItemQuery,
                                    public testing::WithParamInterface<FilterFailure> {};

TEST_P(FilterThatCannotBeEvaluated, SaysSoAndQuotesAShortPartOfTheText) {
    addNames({u"a"});
    query().setFilter(GetParam().filter);
    query().setFiltered(true);
    for (const bool keysOnDemand : {false, true}) {
        query().setKeysOnDemand(keysOnDemand);
        try {
            open();
            FAIL() << "opened, keys on demand: " << keysOnDemand;
        } catch (const store::Error& error) {
            EXPECT_TRUE(error.message().startsWith(QStringLiteral("Cannot evaluate filter \"")))
                << error.message().left(300).toStdString();
            EXPECT_LT(error.message().size(), 400);
        }
    }
}

QString manyAlternatives(int count) {
    QStringList terms;
    for (int i = 0; i < count; ++i)
        terms << QStringLiteral("[ID] = %1").arg(i);
    return terms.join(QStringLiteral(" OR "));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FilterThatCannotBeEvaluated,
    testing::Values(FilterFailure{"TreeTooDeepForTheEngine", manyAlternatives(5000)},
                    FilterFailure{
                        "PatternTooLongForTheEngine",
                        QStringLiteral("[宝贝名称] Like '") + QString(60000, u'x') + u'\''},
                    FilterFailure{"LongTextThatDoesNotParse", QString(100000, u'(')}),
    [](const testing::TestParamInfo<FilterFailure>& info) { return info.param.name; });

}  // namespace
