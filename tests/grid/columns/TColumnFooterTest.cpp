#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "grid/columns/TColumn.h"
#include "grid/columns/TDBGridColumns.h"
#include "grid/sumlist/TDBGridSumList.h"
#include "store/ItemDatabase.h"
#include "tests/support/TempDir.h"

namespace {

using grid::TColumnFooter;

class FooterAggregate : public testing::Test {
protected:
    void SetUp() override {
        columns->setSumList(&sums);
        QObject::connect(&sums, &grid::TDBSumListProducer::recalcAll, [this] { ++walks; });
    }
    grid::TDBSumCollection& items() { return sums.sumCollection(); }

    grid::TDBGridSumList sums;
    std::unique_ptr<grid::TDBGridColumns> columns = std::make_unique<grid::TDBGridColumns>();
    int walks = 0;
};

struct Step {
    const char* name;
    std::function<void(grid::TDBGridColumn&)> change;
    int items;  // aggregates in the sum list afterwards
    grid::TGroupOperation operation;
    const char* fieldName;
};

TEST_F(FooterAggregate, FollowsTheFootersValueTypeAndFieldName) {
    grid::TDBGridColumn& column = columns->add();
    column.setFieldName(QStringLiteral("价格"));
    const Step steps[] = {
        {"sum of the column's field", [](auto& c) { c.footer().setValueType(grid::fvtSum); }, 1,
         grid::goSum, "价格"},
        {"the footer's own field", [](auto& c) { c.footer().setFieldName(QStringLiteral("数量")); },
         1, grid::goSum, "数量"},
        {"count has no field", [](auto& c) { c.footer().setValueType(grid::fvtCount); }, 1,
         grid::goCount, ""},
        {"average", [](auto& c) { c.footer().setValueType(grid::fvtAvg); }, 1, grid::goAvg, "数量"},
        {"back to the column's field", [](auto& c) { c.footer().setFieldName(QString()); }, 1,
         grid::goAvg, "价格"},
        {"the column's field changes", [](auto& c) { c.setFieldName(QStringLiteral("ID")); }, 1,
         grid::goAvg, "ID"},
        {"static text frees it", [](auto& c) { c.footer().setValueType(grid::fvtStaticText); }, 0,
         grid::goSum, ""},
        {"field value has none", [](auto& c) { c.footer().setValueType(grid::fvtFieldValue); }, 0,
         grid::goSum, ""},
        {"count again", [](auto& c) { c.footer().setValueType(grid::fvtCount); }, 1, grid::goCount,
         ""},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.change(column);
        ASSERT_EQ(items().count(), step.items);
        if (step.items == 1) {
            EXPECT_EQ(items().at(0).groupOperation(), step.operation);
            EXPECT_EQ(items().at(0).fieldName(), QString::fromUtf8(step.fieldName));
        }
    }
}

TEST_F(FooterAggregate, AColumnOfNoGridHasNone) {
    grid::TColumn loose;
    loose.footer().setValueType(grid::fvtCount);
    EXPECT_EQ(items().count(), 0);
}

TEST_F(FooterAggregate, GoesWithItsColumns) {
    columns->add().footer().setValueType(grid::fvtCount);
    columns->add().footer().setValueType(grid::fvtNon);
    columns->add().footer().setValueType(grid::fvtSum);
    EXPECT_EQ(items().count(), 2);
    columns.reset();
    EXPECT_EQ(items().count(), 0);
}

TEST_F(FooterAggregate, EachRebindRecountsAnActiveListOnce) {
    testsupport::TempDir dir;
    const QString path = testsupport::createItemDatabase(dir);
    testsupport::runSql(path, QStringLiteral("INSERT INTO BabyData(宝贝价格) VALUES (1), (2)"));
    store::ItemDatabase database;
    database.connectFile(path);
    database.openItemQuery();
    sums.setDataSet(&database.itemQuery);
    sums.setActive(true);
    grid::TDBGridColumn& column = columns->add();
    column.setFieldName(QStringLiteral("宝贝价格"));
    walks = 0;
    column.footer().setValueType(grid::fvtSum);
    EXPECT_EQ(walks, 1);
    EXPECT_EQ(items().at(0).amount(), 30000);
    column.footer().setValueType(grid::fvtCount);
    EXPECT_EQ(walks, 2);
    EXPECT_EQ(items().at(0).amount(), 20000);
    column.footer().setFieldName(QStringLiteral("宝贝数量"));
    EXPECT_EQ(walks, 2) << "a count keeps no field, so nothing changed";
    sums.setDataSet(nullptr);
}

}  // namespace
