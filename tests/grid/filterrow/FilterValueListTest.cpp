#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <random>
#include <vector>

#include "grid/filterrow/FilterValueList.h"
#include "store/DataSource.h"
#include "store/Error.h"
#include "store/ItemDatabase.h"
#include "tests/grid/ItemRows.h"

namespace {

using grid::FilterValueList;

struct DistinctCase {
    const char* label;
    QStringList texts;
    QStringList expected;
};

class DistinctSorted : public testing::TestWithParam<DistinctCase> {};

TEST_P(DistinctSorted, SortsAndDropsDuplicatesWithoutRegardToCase) {
    EXPECT_EQ(FilterValueList::distinctSorted(GetParam().texts), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DistinctSorted,
    testing::Values(
        DistinctCase{"Empty", {}, {}},
        // Of spellings that differ only in case, the first one read stays.
        DistinctCase{"FirstSpellingStays",
                     {QStringLiteral("abc"), QStringLiteral("ABC"), QStringLiteral("Abc")},
                     {QStringLiteral("abc")}},
        DistinctCase{
            "CaseDoesNotOrder",
            {QStringLiteral("b"), QStringLiteral("B2"), QStringLiteral("a"), QStringLiteral("A1")},
            {QStringLiteral("a"), QStringLiteral("A1"), QStringLiteral("b"), QStringLiteral("B2")}},
        // A null field reads as empty text, which sorts first; numbers as text.
        DistinctCase{"EmptyAndNumbers",
                     {QStringLiteral("9"), QString(), QStringLiteral("10"), QString()},
                     {QString(), QStringLiteral("10"), QStringLiteral("9")}},
        DistinctCase{"WideAndChineseLetters",
                     {QStringLiteral("Ｔ恤"), QStringLiteral("ｔ恤"), QStringLiteral("牛仔裤"),
                      QStringLiteral("T恤")},
                     {QStringLiteral("T恤"), QStringLiteral("牛仔裤"), QStringLiteral("Ｔ恤")}}),
    [](const testing::TestParamInfo<DistinctCase>& info) { return info.param.label; });

// Texts from a few units, so that long shared beginnings, keys that are
// beginnings of others, U+0000 and case pairs all occur; compared with a
// plain stable sort on the case-folded keys.
TEST(DistinctSortedGenerated, AgreesWithAStableSortOnFoldedKeys) {
    const std::array<char16_t, 7> units{u'a', u'A', u'b', u'\0', u'\u5b9d', u'\uff34', u'\uff54'};
    std::mt19937 random(7);
    QStringList texts;
    for (int i = 0; i < 5000; ++i) {
        QString text;
        const int length = static_cast<int>(random() % 9);
        for (int u = 0; u < length; ++u)
            text += QChar(units[random() % units.size()]);
        texts << text;
    }
    std::vector<qsizetype> order(static_cast<std::size_t>(texts.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&texts](qsizetype a, qsizetype b) {
        return texts[a].toCaseFolded() < texts[b].toCaseFolded();
    });
    QStringList expected;
    for (const qsizetype i : order)
        if (expected.isEmpty() || expected.last().toCaseFolded() != texts[i].toCaseFolded())
            expected << texts[i];

    EXPECT_EQ(FilterValueList::distinctSorted(texts), expected);
}

class ValueListOverItemQuery : public testing::Test {
protected:
    void SetUp() override {
        path =
            gridtest::createItemDatabase(dir, {{QStringLiteral("red"), QStringLiteral("5"), {}},
                                               {QStringLiteral("Blue"), QStringLiteral("12"), {}},
                                               {QStringLiteral("RED"), QStringLiteral("NULL"), {}},
                                               {QStringLiteral("apple"), QStringLiteral("5"), {}}});
        database.connectFile(path);
        database.openItemQuery();
        source.setDataSet(&query());
    }
    store::Query& query() { return database.itemQuery; }

    testsupport::TempDir dir;
    QString path;
    store::ItemDatabase database;
    store::DataSource source;
};

TEST_F(ValueListOverItemQuery, ReadsTheFieldOfTheRowsThatPassTheFilter) {
    FilterValueList names(&source, QStringLiteral("宝贝名称"));
    FilterValueList prices(&source, QStringLiteral("宝贝价格"));
    EXPECT_EQ(names.values(), QStringList({QStringLiteral("apple"), QStringLiteral("Blue"),
                                           QStringLiteral("red")}));
    EXPECT_EQ(prices.values(), QStringList({QString(), QStringLiteral("12"), QStringLiteral("5")}));

    query().moveTo(2);
    query().setFilter(QStringLiteral("[宝贝价格] = 5"));
    query().setFiltered(true);
    EXPECT_EQ(names.values(), QStringList({QStringLiteral("apple"), QStringLiteral("red")}));
}

TEST_F(ValueListOverItemQuery, KeepsItsValuesUntilTheDatasetReportsAChange) {
    FilterValueList names(&source, QStringLiteral("宝贝名称"));
    ASSERT_EQ(names.values().size(), 3);

    // A change behind the dataset's back is not seen...
    testsupport::runSql(path, QStringLiteral("INSERT INTO BabyData(宝贝名称) VALUES ('zebra')"));
    EXPECT_EQ(names.values().size(), 3);
    // ...until the dataset reports one.
    query().requery();
    EXPECT_EQ(names.values().size(), 4);

    query().edit();
    query().fieldByName(QStringLiteral("宝贝名称")).setText(QStringLiteral("cherry"));
    query().post();
    EXPECT_TRUE(names.values().contains(QStringLiteral("cherry")));

    query().close();
    EXPECT_FALSE(names.isBuilt());
    EXPECT_TRUE(names.values().isEmpty());
    query().open();
    EXPECT_EQ(names.values().size(), 5);

    source.setDataSet(nullptr);
    EXPECT_TRUE(names.values().isEmpty());
}

TEST_F(ValueListOverItemQuery, AFieldTheDatasetLacksFailsWithTheDatasetsMessage) {
    FilterValueList list(&source, QStringLiteral("颜色"));
    try {
        list.values();
        FAIL() << "no error";
    } catch (const store::Error& error) {
        EXPECT_EQ(error.message(), QStringLiteral("ADOQuery1: Field '颜色' not found"));
    }
}

}  // namespace
