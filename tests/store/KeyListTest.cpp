#include <algorithm>
#include <random>

#include <gtest/gtest.h>

#include "store/KeyList.h"

namespace {

// The row of a key found by walking the list, as a plain reading of the keys gives it.
int walkedRowOf(const store::KeyList& list, std::int64_t key) {
    for (int row = 0; row < list.rowCount(); ++row) {
        if (row != list.gapRow() && list.keyAt(row) == key)
            return row;
    }
    return -1;
}

struct Start {
    const char* name;
    bool shuffled;
};

class KeyListLookup : public testing::TestWithParam<Start> {};

// Inserts, deletes and key changes in any mix keep every key's row right,
// whether the keys came in ascending order (searched by halving) or not.
TEST_P(KeyListLookup, FindsEveryKeyAfterEditsAsAWalkDoes) {
    std::mt19937 random(7);
    std::vector<std::int64_t> keys(300);
    for (std::size_t i = 0; i < keys.size(); ++i)
        keys[i] = static_cast<std::int64_t>(3 * i + 1);
    if (GetParam().shuffled)
        std::shuffle(keys.begin(), keys.end(), random);
    store::KeyList list;
    list.assign(keys);
    std::int64_t nextKey = 10000;

    for (int round = 0; round < 400; ++round) {
        const int row = static_cast<int>(random() % static_cast<unsigned>(list.keyCount()));
        switch (random() % 4) {
            case 0:
                list.openGap(row);
                EXPECT_EQ(list.rowOf(list.keyAt(row + 1)), walkedRowOf(list, list.keyAt(row + 1)));
                list.fillGap(round % 2 ? nextKey++ : -nextKey++);
                break;
            case 1:
                list.removeAt(row);
                break;
            case 2:
                list.replaceAt(row, round % 3 ? nextKey++ : -nextKey++);
                break;
            default:
                list.openGap(row);
                list.closeGap();
                break;
        }
        if (list.keyCount() < 10)
            list.assign(keys);
        for (const std::int64_t key : {list.keyAt(0), list.keyAt(list.keyCount() - 1),
                                       list.keyAt(row % list.keyCount()), std::int64_t{2}}) {
            ASSERT_EQ(list.rowOf(key), walkedRowOf(list, key)) << "round " << round;
        }
    }
    for (const std::int64_t key : list.keys())
        ASSERT_EQ(list.rowOf(key), walkedRowOf(list, key));
    const std::unordered_set<std::int64_t> wanted{list.keyAt(5), list.keyAt(2), 2, list.keyAt(7)};
    EXPECT_EQ(list.firstRowOf(wanted), 2);
    EXPECT_EQ(list.firstRowOf({}), -1);
    EXPECT_EQ(list.firstRowOf({2}), -1);
}

INSTANTIATE_TEST_SUITE_P(Orders, KeyListLookup,
                         testing::Values(Start{"Ascending", false}, Start{"Shuffled", true}),
                         [](const testing::TestParamInfo<Start>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
