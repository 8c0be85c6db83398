#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <random>

#include "store/RowCache.h"
#include "store/Sqlite.h"
#include "tests/support/TempDir.h"

namespace {

constexpr int kRows = 1000;
constexpr std::size_t kLimit = 4 * store::RowCache::kBlockSize;

// A table of kRows rows whose keys the dataset lists in descending order, so
// that key indexes and rowids run opposite ways; counts the statements run.
class RowCacheTest : public testing::Test {
protected:
    void SetUp() override {
        const QString path = dir.path(QStringLiteral("rows.db"));
        testsupport::runSql(
            path,
            QStringLiteral("CREATE TABLE T (id INTEGER PRIMARY KEY, v TEXT);"
                           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i < "
                           "1000) INSERT INTO T SELECT i, 'v' || i FROM n"));
        sqlite3* handle = nullptr;
        sqlite3_open(path.toUtf8().constData(), &handle);
        db.reset(handle);
        sqlite3_trace_v2(
            handle, SQLITE_TRACE_STMT,
            [](unsigned, void* count, void*, void*) {
                ++*static_cast<int*>(count);
                return 0;
            },
            &statements);
        keys.resize(kRows);
        std::iota(keys.rbegin(), keys.rend(), 1);
        cache.setSource(QStringLiteral("T"), {QStringLiteral("v")});
    }

    // Reads the row at `index` and checks that it holds its own key's value.
    void read(int index) {
        const store::RowCache::Row row = cache.row(db.get(), keys, static_cast<std::size_t>(index));
        ASSERT_EQ(row.size(), 1) << "index " << index;
        EXPECT_EQ(row[0].toString(), QStringLiteral("v%1").arg(keys[index])) << "index " << index;
        EXPECT_LE(cache.size(), kLimit);
    }

    testsupport::TempDir dir;
    store::DatabaseHandle db;
    std::vector<std::int64_t> keys;
    store::RowCache cache{kLimit};
    int statements = 0;
};

struct ReadPattern {
    const char* name;
    std::function<std::vector<int>()> indexes;
    int statements;
};

// Pages of a screenful each read top to bottom, like a grid paints them.
std::vector<int> pages(bool upwards) {
    constexpr int page = 30;
    std::vector<int> indexes;
    for (int p = 0; p * page < kRows; ++p) {
        const int top = upwards ? std::max(kRows - (p + 1) * page, 0) : p * page;
        for (int i = top; i < std::min(top + page, kRows); ++i)
            indexes.push_back(i);
    }
    return indexes;
}

std::vector<int> run(int from, int to) {
    std::vector<int> indexes;
    for (int i = from; i != to; i += from < to ? 1 : -1)
        indexes.push_back(i);
    indexes.push_back(to);
    return indexes;
}

class RowCacheReading : public RowCacheTest, public testing::WithParamInterface<ReadPattern> {};

// Every pattern reads more rows than the cache holds; each block of the table
// costs one statement, whichever way the reading goes.
TEST_P(RowCacheReading, ReadsEachBlockWithOneStatement) {
    for (const int index : GetParam().indexes())
        read(index);
    EXPECT_EQ(statements, GetParam().statements);
}

constexpr int kBlocks = (kRows + store::RowCache::kBlockSize - 1) / store::RowCache::kBlockSize;

INSTANTIATE_TEST_SUITE_P(
    Patterns, RowCacheReading,
    testing::Values(ReadPattern{"FirstToLast", [] { return run(0, kRows - 1); }, kBlocks},
                    ReadPattern{"LastToFirst", [] { return run(kRows - 1, 0); }, kBlocks},
                    ReadPattern{"PagesDown", [] { return pages(false); }, kBlocks},
                    ReadPattern{"PagesUpFromTheEnd", [] { return pages(true); }, kBlocks},
                    ReadPattern{"RandomWithinFourBlocks",
                                [] {
                                    // Rows 320 to 575 are blocks 5 to 8, as many as the cache
                                    // holds.
                                    std::mt19937 random(13);
                                    std::uniform_int_distribution<int> index(320, 575);
                                    std::vector<int> indexes(2000);
                                    for (int& i : indexes)
                                        i = index(random);
                                    return indexes;
                                },
                                4},
                    ReadPattern{
                        "FirstToLastAndBack",
                        [] {
                            std::vector<int> indexes = run(0, kRows - 1);
                            const std::vector<int> back = run(kRows - 1, 0);
                            indexes.insert(indexes.end(), back.begin(), back.end());
                            return indexes;
                        },
                        2 * kBlocks - static_cast<int>(kLimit) / store::RowCache::kBlockSize}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RowCacheTest, EvictionDropsTheBlocksReadLongestAgo) {
    constexpr int kHeld = static_cast<int>(kLimit);
    constexpr int kBlock = store::RowCache::kBlockSize;
    for (const int index : run(0, kHeld + kBlock - 1))
        read(index);
    statements = 0;
    for (const int index : run(kBlock, kHeld + kBlock - 1))
        read(index);
    EXPECT_EQ(statements, 0) << "the blocks read last are all still held";
    read(0);
    EXPECT_EQ(statements, 1);
}

TEST_F(RowCacheTest, ARowDeletedSinceTheKeysWereReadIsEmpty) {
    testsupport::runSql(dir.path(QStringLiteral("rows.db")),
                        QStringLiteral("DELETE FROM T WHERE id = 990"));
    EXPECT_TRUE(cache.row(db.get(), keys, 10).isEmpty());
    read(11);
}

}  // namespace
