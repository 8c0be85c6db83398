#include <functional>

#include <gtest/gtest.h>

#include <QStringList>

#include "grid/sumlist/TDBGridSumList.h"
#include "store/Error.h"
#include "store/ItemDatabase.h"
#include "tests/support/TempDir.h"

namespace {

using grid::TDBSum;

constexpr std::int64_t kScale = 10000;

class SumList : public testing::Test {
protected:
    void SetUp() override {
        path = testsupport::createItemDatabase(dir);
        database.connectFile(path);
        QObject::connect(&sums, &grid::TDBSumListProducer::recalcAll, [this] { ++walks; });
        QObject::connect(&sums, &grid::TDBSumListProducer::sumListChanged, [this] { ++changes; });
    }

    void addItems(int count) {
        QString sql;
        for (int i = 1; i <= count; ++i)
            sql +=
                QStringLiteral("INSERT INTO BabyData(宝贝名称, 宝贝价格) VALUES ('item %1', %1);")
                    .arg(i);
        testsupport::runSql(path, sql);
    }
    // A plain record count on the item query, with the query open.
    void countItems(int rows) {
        addItems(rows);
        database.openItemQuery();
        count = &addSum(grid::goCount);
        sums.setDataSet(&query());
        sums.setActive(true);
        walks = 0;
    }
    TDBSum& addSum(grid::TGroupOperation operation, const QString& fieldName = {}) {
        TDBSum& item = sums.sumCollection().add();
        item.setGroupOperation(operation);
        item.setFieldName(fieldName);
        return item;
    }
    store::Query& query() { return database.itemQuery; }
    std::int64_t counted() const { return count->amount() / kScale; }

    testsupport::TempDir dir;
    QString path;
    store::ItemDatabase database;
    grid::TDBGridSumList sums;
    TDBSum* count = nullptr;
    int walks = 0;
    int changes = 0;
};

TEST_F(SumList, RecountsWhenTheQueryOpensAndZeroesWhenItCloses) {
    addItems(3);
    count = &addSum(grid::goCount);
    sums.setDataSet(&query());
    sums.setActive(true);
    EXPECT_EQ(walks, 0) << "a closed query is not walked";
    database.openItemQuery();
    EXPECT_EQ(counted(), 3);
    EXPECT_EQ(walks, 1) << "the scroll notice that follows opening does not recount again";
    query().close();
    EXPECT_EQ(counted(), 0);
    EXPECT_FALSE(sums.recalculating());
}

TEST_F(SumList, EmptyTableAndClosedQueryCountZero) {
    countItems(0);
    EXPECT_EQ(counted(), 0);
    sums.recalculateAll();
    EXPECT_EQ(counted(), 0);
    query().close();
    sums.recalculateAll();
    EXPECT_EQ(walks, 1) << "recalculateAll() on a closed query does nothing";
}

struct Upkeep {
    const char* name;
    std::function<void(store::Query&)> action;
    int change;
};

void PrintTo(const Upkeep& upkeep, std::ostream* out) {
    *out << upkeep.name;
}

class CountUpkeep : public SumList, public testing::WithParamInterface<Upkeep> {};

TEST_P(CountUpkeep, AdjustsByTheOneRecordWithoutRecounting) {
    countItems(4);
    query().moveTo(1);
    GetParam().action(query());
    EXPECT_EQ(counted(), 4 + GetParam().change);
    EXPECT_EQ(counted(), query().recordCount());
    EXPECT_EQ(walks, 0);
}

void setName(store::Query& q) {
    q.fieldByName(QStringLiteral("宝贝名称")).setText(QStringLiteral("new"));
}

INSTANTIATE_TEST_SUITE_P(Edits, CountUpkeep,
                         testing::Values(Upkeep{"PostedAppend",
                                                [](store::Query& q) {
                                                    q.append();
                                                    setName(q);
                                                    q.post();
                                                },
                                                +1},
                                         Upkeep{"InsertPostedByAMove",
                                                [](store::Query& q) {
                                                    q.insert();
                                                    setName(q);
                                                    q.first();
                                                },
                                                +1},
                                         Upkeep{"CancelledInsert",
                                                [](store::Query& q) {
                                                    q.insert();
                                                    setName(q);
                                                    q.cancel();
                                                },
                                                0},
                                         Upkeep{"PostedEdit",
                                                [](store::Query& q) {
                                                    q.edit();
                                                    setName(q);
                                                    q.post();
                                                },
                                                0},
                                         Upkeep{"Delete", [](store::Query& q) { q.remove(); }, -1},
                                         Upkeep{"TwoAppendsAndADelete",
                                                [](store::Query& q) {
                                                    q.append();
                                                    setName(q);
                                                    q.append();
                                                    setName(q);
                                                    q.post();
                                                    q.remove();
                                                },
                                                +1}),
                         [](const testing::TestParamInfo<Upkeep>& info) {
                             return info.param.name;
                         });

TEST_F(SumList, DeleteRefusedByTheEngineStaysCountedOffUntilTheNextRecount) {
    countItems(3);
    testsupport::runSql(path, QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON BabyData "
                                             "BEGIN SELECT RAISE(ABORT, 'refused'); END;"));
    EXPECT_THROW(query().remove(), store::Error);
    EXPECT_EQ(counted(), 2);
    sums.recalculateAll();
    EXPECT_EQ(counted(), 3);
}

TEST_F(SumList, PlainMovesNeverRecount) {
    countItems(5);
    query().next();
    query().last();
    query().prior();
    query().moveTo(0);
    query().moveBy(3);
    EXPECT_TRUE(query().locate(QStringLiteral("宝贝名称"), QStringLiteral("item 2")));
    query().gotoBookmark(query().bookmark());
    query().setSort(QStringLiteral("[宝贝价格] DESC"));
    EXPECT_EQ(walks, 0);
    EXPECT_EQ(counted(), 5);
}

TEST_F(SumList, FilterChangeSeenAtScrollRecountsOnce) {
    countItems(5);
    query().setFilter(QStringLiteral("[宝贝价格] > 3"));
    EXPECT_EQ(walks, 0) << "the text alone changes nothing while unfiltered";
    query().setFiltered(true);
    EXPECT_EQ(counted(), 2);
    EXPECT_EQ(walks, 1);
    query().setFilter(QStringLiteral("[宝贝价格] > 1"));
    EXPECT_EQ(counted(), 4);
    query().setFilter(QString());
    EXPECT_EQ(counted(), 5) << "an empty text shows every record again";
    EXPECT_EQ(walks, 3);
    query().next();
    EXPECT_EQ(walks, 3);
}

TEST_F(SumList, RequeryWaitsForAnExplicitRecount) {
    countItems(2);
    addItems(3);
    query().requery();
    EXPECT_EQ(counted(), 2);
    EXPECT_EQ(walks, 0);
    sums.recalculateAll();
    EXPECT_EQ(counted(), 5);
}

TEST_F(SumList, RecountKeepsTheCurrentRecordAndResumesDisplayUpdates) {
    countItems(6);
    query().moveTo(4);
    const store::Query::Bookmark before = query().bookmark();
    sums.recalculateAll();
    EXPECT_EQ(query().recNo(), 4);
    EXPECT_EQ(query().bookmark().key, before.key);
    EXPECT_FALSE(query().controlsDisabled());
    EXPECT_FALSE(sums.recalculating());
}

TEST_F(SumList, RecountKeepsTheBeginningAndEndFlags) {
    countItems(3);
    query().first();
    sums.recalculateAll();
    EXPECT_TRUE(query().bof());
    EXPECT_EQ(query().recNo(), 0);
    query().last();
    sums.recalculateAll();
    EXPECT_TRUE(query().eof());
    EXPECT_EQ(query().recNo(), 2);
}

TEST_F(SumList, RecountSettlesAPendingEditWithoutCountingItTwice) {
    countItems(2);
    query().append();
    setName(query());
    sums.recalculateAll();
    EXPECT_EQ(query().state(), store::DataSetState::Browse);
    EXPECT_EQ(counted(), 3);
}

TEST_F(SumList, FailedWalkStillReportsAndResumesDisplayUpdates) {
    countItems(3);
    testsupport::runSql(path, QStringLiteral("DROP TABLE BabyData"));
    changes = 0;
    EXPECT_THROW(addSum(grid::goSum, QStringLiteral("宝贝价格")), store::Error);
    EXPECT_FALSE(sums.recalculating());
    EXPECT_FALSE(query().controlsDisabled());
    EXPECT_GE(changes, 1);
}

TEST_F(SumList, ExternalRecalcOnlyZeroesAndAnnounces) {
    countItems(3);
    int after = 0;
    QObject::connect(&sums, &grid::TDBSumListProducer::afterRecalcAll, [&after] { ++after; });
    sums.setExternalRecalc(true);
    sums.recalculateAll();
    EXPECT_EQ(counted(), 0);
    EXPECT_EQ(walks, 1);
    EXPECT_EQ(after, 0);
}

TEST_F(SumList, CollectionChangesRecountOncePerUpdate) {
    countItems(3);
    grid::TDBSumCollection& items = sums.sumCollection();
    items.beginUpdate();
    TDBSum& price = items.add();
    price.setGroupOperation(grid::goAvg);
    price.setFieldName(QStringLiteral("宝贝价格"));
    items.endUpdate();
    EXPECT_EQ(walks, 1);
    EXPECT_EQ(price.amount(), 2 * kScale);
    price.setFieldName(QStringLiteral("宝贝价格"));
    EXPECT_EQ(walks, 1) << "an unchanged name is no change";
    items.remove(&price);
    EXPECT_EQ(walks, 2);
    EXPECT_EQ(items.count(), 1);
}

// ---------------------------------------------------------------- notifications

class Handlers : public SumList {
protected:
    // The loggers must not outlive the log.
    void TearDown() override {
        sums.setDataSet(nullptr);
        store::Query& q = query();
        q.afterOpen = q.afterClose = q.afterScroll = q.afterEdit = q.afterInsert = q.afterPost =
            q.afterCancel = q.beforeDelete = nullptr;
    }
    // Handlers that were there before the sum list: each logs its name and
    // the count as it stood when it ran.
    void installPrevious() {
        const auto logger = [this](const char* name) {
            return [this, name](store::Query& q) {
                // Scroll notices of a recount's own walk are not of interest here.
                if (q.controlsDisabled())
                    return;
                log << QString::fromLatin1(name) + u'=' +
                           QString::number(count ? count->amount() / kScale : -1);
            };
        };
        store::Query& q = query();
        q.afterOpen = logger("open");
        q.afterClose = logger("close");
        q.afterScroll = logger("scroll");
        q.afterEdit = logger("edit");
        q.afterInsert = logger("insert");
        q.afterPost = logger("post");
        q.afterCancel = logger("cancel");
        q.beforeDelete = logger("delete");
    }
    QStringList log;
};

TEST_F(Handlers, PreviousHandlersRunBeforeOrAfterTheSumListsOwnWork) {
    addItems(2);
    installPrevious();
    count = &addSum(grid::goCount);
    sums.setDataSet(&query());
    sums.setActive(true);
    database.openItemQuery();
    query().append();
    query().post();
    query().remove();
    query().setFilter(QStringLiteral("[ID] = 1"));
    query().setFiltered(true);
    query().edit();
    query().cancel();
    query().close();
    EXPECT_EQ(
        log, QStringList({
                 QStringLiteral("open=2"),  // after the recount
                 QStringLiteral("scroll=2"), QStringLiteral("insert=2"), QStringLiteral("scroll=2"),
                 QStringLiteral("post=3"),    // after the count went up
                 QStringLiteral("delete=3"),  // before it goes down
                 QStringLiteral("scroll=2"),
                 QStringLiteral("scroll=2"),  // before the filter's recount
                 QStringLiteral("edit=1"), QStringLiteral("cancel=1"),
                 QStringLiteral("close=0"),  // after zeroing
             }));
}

TEST_F(Handlers, UnhookingPutsThePreviousHandlersBack) {
    countItems(2);
    log.clear();
    sums.setActive(false);
    EXPECT_FALSE(sums.hooked());
    EXPECT_EQ(counted(), 0);
    installPrevious();
    sums.setActive(true);
    EXPECT_EQ(counted(), 2);
    sums.setActive(false);
    log.clear();
    query().append();
    query().post();
    EXPECT_EQ(log, QStringList({QStringLiteral("insert=0"), QStringLiteral("scroll=0"),
                                QStringLiteral("post=0")}))
        << "the query's own handlers are back and the sum list hears nothing";
}

TEST_F(Handlers, ANewDataSetUnhooksTheOldAndCountsTheNew) {
    addItems(3);
    installPrevious();
    countItems(0);
    store::Query other(database.itemConnection, QStringLiteral("Other"));
    other.setSql(QStringLiteral("Select * from BabyData where 宝贝价格 < 3"));
    other.open();
    sums.setDataSet(&other);
    EXPECT_EQ(counted(), 2);
    log.clear();
    query().append();
    query().post();
    EXPECT_EQ(counted(), 2) << "the item query is no longer watched";
    EXPECT_EQ(log, QStringList({QStringLiteral("insert=2"), QStringLiteral("scroll=2"),
                                QStringLiteral("post=2")}));
    sums.setDataSet(nullptr);
    EXPECT_EQ(counted(), 0);
    EXPECT_FALSE(other.afterPost);
}

// ---------------------------------------------------------------- sums and averages

class Numbers : public SumList {
protected:
    void SetUp() override {
        SumList::SetUp();
        testsupport::runSql(
            path, QStringLiteral(
                      "CREATE TABLE Nums (id INTEGER PRIMARY KEY, i INTEGER, r REAL, b NUMERIC);"
                      "INSERT INTO Nums(i, r, b) VALUES (1, 0.0001, 2.5), (NULL, 0.0004, NULL),"
                      " (4, NULL, 0.00006), (2, NULL, -1);"));
        nums.setSql(QStringLiteral("Select * from Nums"));
        nums.open();
        sums.setDataSet(&nums);
        sums.setActive(true);
    }
    void TearDown() override { sums.setDataSet(nullptr); }

    void setR(int row, const QVariant& value) {
        nums.moveTo(row);
        nums.edit();
        nums.fieldByName(QStringLiteral("r")).setValue(value);
        nums.post();
    }

    store::Query nums{database.itemConnection, QStringLiteral("Nums")};
};

struct Aggregate {
    grid::TGroupOperation operation;
    const char* fieldName;
    std::int64_t amount;
};

class NumberAggregates : public Numbers, public testing::WithParamInterface<Aggregate> {};

// Values are scaled by 10 000 and rounded to the nearest integer, ties to
// even: 0.00006 adds 1, and an average of 2.5 scaled units is 2.
TEST_P(NumberAggregates, SkipNullsAndRoundHalfToEven) {
    const TDBSum& item = addSum(GetParam().operation, QString::fromLatin1(GetParam().fieldName));
    EXPECT_EQ(item.amount(), GetParam().amount);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, NumberAggregates,
    testing::Values(Aggregate{grid::goSum, "i", 70000}, Aggregate{grid::goAvg, "i", 23333},
                    Aggregate{grid::goCount, "i", 30000}, Aggregate{grid::goSum, "r", 5},
                    Aggregate{grid::goAvg, "r", 2}, Aggregate{grid::goCount, "R", 20000},
                    Aggregate{grid::goSum, "b", 15001}, Aggregate{grid::goAvg, "b", 5000},
                    Aggregate{grid::goCount, "", 40000}, Aggregate{grid::goSum, "missing", 0},
                    Aggregate{grid::goCount, "missing", 0}));

TEST_F(Numbers, PostsAndDeletesAdjustSumAndAverageByTheRecordsChange) {
    TDBSum& sum = addSum(grid::goSum, QStringLiteral("r"));
    TDBSum& average = addSum(grid::goAvg, QStringLiteral("r"));
    walks = 0;
    setR(2, 0.0003);  // null to a value
    EXPECT_EQ(sum.amount(), 8);
    EXPECT_EQ(average.nonNullCount(), 3);
    EXPECT_EQ(average.amount(), 3);  // 8 / 3
    setR(1, 0.0005);                 // a value to another
    EXPECT_EQ(sum.amount(), 9);
    EXPECT_EQ(average.amount(), 3);
    setR(0, QVariant());  // a value to null
    EXPECT_EQ(average.nonNullCount(), 2);
    EXPECT_EQ(average.amount(), 4);  // 8 / 2
    nums.moveTo(1);
    nums.remove();
    EXPECT_EQ(sum.amount(), 3);
    EXPECT_EQ(average.nonNullCount(), 1);
    EXPECT_EQ(average.amount(), 3);
    nums.append();
    nums.fieldByName(QStringLiteral("r")).setValue(0.0002);
    nums.post();
    EXPECT_EQ(average.amount(), 2);  // 5 / 2, half to even
    EXPECT_EQ(walks, 0);
    sums.recalculateAll();
    EXPECT_EQ(sum.amount(), 5);
    EXPECT_EQ(average.amount(), 2);
}

}  // namespace
