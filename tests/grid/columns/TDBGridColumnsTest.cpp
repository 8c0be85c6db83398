#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "grid/columns/ItemGridColumns.h"
#include "grid/columns/TDBGridColumns.h"
#include "store/DataSource.h"
#include "store/ItemDatabase.h"
#include "store/ItemTable.h"
#include "tests/support/TempDir.h"

namespace {

using namespace Qt::StringLiterals;
using grid::ColumnChange;
using grid::TDBGridColumns;

QStringList fieldNames(const TDBGridColumns& columns) {
    QStringList names;
    for (int i = 0; i < columns.count(); ++i)
        names << columns.at(i).fieldName();
    return names;
}

TDBGridColumns& named(TDBGridColumns& columns, const QStringList& names) {
    for (const QString& name : names)
        columns.add().setFieldName(name);
    return columns;
}

TEST(TDBGridColumns, MoveTakesAColumnToTheGivenPlace) {
    struct Case {
        int from, to;
        QStringList order;
    };
    const Case cases[] = {
        {0, 2, {u"b"_s, u"c"_s, u"a"_s, u"d"_s}},
        {3, 1, {u"a"_s, u"d"_s, u"b"_s, u"c"_s}},
        {1, 99, {u"a"_s, u"c"_s, u"d"_s, u"b"_s}},
        {2, -5, {u"c"_s, u"a"_s, u"b"_s, u"d"_s}},
    };
    for (const Case& c : cases) {
        TDBGridColumns columns;
        named(columns, {u"a"_s, u"b"_s, u"c"_s, u"d"_s});
        std::vector<std::pair<int, int>> moves;
        QObject::connect(&columns, &TDBGridColumns::columnMoved,
                         [&moves](int from, int to) { moves.emplace_back(from, to); });
        columns.move(c.from, c.to);
        EXPECT_EQ(fieldNames(columns), c.order) << c.from << " -> " << c.to;
        ASSERT_EQ(moves.size(), 1u);
        EXPECT_EQ(moves[0].first, c.from);
    }
}

TEST(TDBGridColumns, SettingIndexMovesTheColumnAndItsIndexFollows) {
    TDBGridColumns columns;
    named(columns, {u"a"_s, u"b"_s, u"c"_s});
    grid::TDBGridColumn& c = columns.at(2);
    c.setIndex(0);
    EXPECT_EQ(c.index(), 0);
    EXPECT_EQ(fieldNames(columns), (QStringList{u"c"_s, u"a"_s, u"b"_s}));
}

TEST(TDBGridColumns, ReportsOnlyChangedSettings) {
    TDBGridColumns columns;
    grid::TDBGridColumn& column = columns.add();
    std::vector<ColumnChange> changes;
    QObject::connect(&columns, &TDBGridColumns::columnChanged,
                     [&](grid::TDBGridColumn* changed, ColumnChange change) {
                         EXPECT_EQ(changed, &column);
                         changes.push_back(change);
                     });
    column.setWidth(80);
    column.setWidth(80);
    column.title().setCaption(u"标题"_s);
    column.stFilter().setFilterText(u"abc"_s);
    column.stFilter().setFilterText(u"abc"_s);
    column.setFieldName(u"宝贝名称"_s);
    EXPECT_EQ(changes, (std::vector<ColumnChange>{ColumnChange::Layout, ColumnChange::Title,
                                                  ColumnChange::Filter, ColumnChange::Field}));
}

class BoundColumns : public testing::Test {
protected:
    void SetUp() override {
        database.connectFile(testsupport::createItemDatabase(dir));
        source.setDataSet(&database.itemQuery);
        columns.setDataSource(&source);
    }

    testsupport::TempDir dir;
    store::ItemDatabase database;
    store::DataSource source;
    TDBGridColumns columns;
};

TEST_F(BoundColumns, ColumnsBindFieldsWithoutRegardToCaseWhileTheDatasetIsOpen) {
    grid::TDBGridColumn& id = columns.add();
    id.setFieldName(u"id"_s);
    EXPECT_EQ(id.field(), nullptr);
    EXPECT_EQ(id.displayCaption(), u"id"_s);

    database.openItemQuery();
    ASSERT_NE(id.field(), nullptr);
    EXPECT_EQ(id.field()->name(), u"ID"_s);
    EXPECT_EQ(id.displayCaption(), u"ID"_s);
    id.title().setCaption(u"编号"_s);
    EXPECT_EQ(id.displayCaption(), u"编号"_s);

    source.setDataSet(nullptr);
    EXPECT_EQ(id.field(), nullptr);
}

TEST_F(BoundColumns, ColumnShowingFieldComparesTheBoundFieldsNameExactly) {
    named(columns, {u"id"_s, u"没有的字段"_s, u"宝贝名称"_s});
    database.openItemQuery();
    // The column spelt "id" shows the field ID, so ID needs no column of its own.
    EXPECT_EQ(columns.columnShowingField(u"ID"_s), &columns.at(0));
    EXPECT_EQ(columns.columnShowingField(u"id"_s), nullptr);
    EXPECT_EQ(columns.columnShowingField(u"宝贝名称"_s), &columns.at(2));
    EXPECT_EQ(columns.columnShowingField(u"没有的字段"_s), nullptr);
    EXPECT_EQ(columns.columnShowingField(u"宝贝价格"_s), nullptr);
}

TEST_F(BoundColumns, ConfiguredColumnsShowEveryItemFieldOnce) {
    grid::addItemColumns(columns, &source);
    database.openItemQuery();
    ASSERT_EQ(columns.count(), store::kItemFieldCount);
    for (const store::FieldDef& field : store::itemFields())
        EXPECT_NE(columns.columnShowingField(field.name), nullptr) << field.name.toStdString();
}

TEST(ItemColumns, ConfiguredSettings) {
    store::DataSource source;
    TDBGridColumns columns;
    grid::addItemColumns(columns, &source);

    const QStringList order = fieldNames(columns);
    EXPECT_EQ(order.mid(0, 4), (QStringList{u"ID"_s, u"宝贝链接"_s, u"宝贝名称"_s, u"宝贝类目"_s}));
    EXPECT_EQ(order.mid(43),
              (QStringList{u"销售属性别名"_s, u"代充类型"_s, u"宝贝编号"_s, u"数据ID"_s}));

    struct Expected {
        QString field;
        int width;
        bool readOnly;
        bool titleButton;
    };
    const Expected expected[] = {
        {u"ID"_s, 55, false, true},
        {u"宝贝链接"_s, 164, false, false},
        {u"宝贝名称"_s, 550, true, true},
        {u"店铺类目"_s, 59, true, true},
        {u"省"_s, 32, true, true},
        {u"城市"_s, 54, true, true},
        {u"宝贝价格"_s, 80, true, true},
        {u"视频"_s, 80, false, false},
        {u"销售属性别名"_s, 80, true, false},
        {u"代充类型"_s, 80, false, false},
        {u"数据ID"_s, 114, false, false},
    };
    for (const Expected& e : expected) {
        const grid::TDBGridColumn& column = columns.at(static_cast<int>(order.indexOf(e.field)));
        EXPECT_EQ(column.width(), e.width) << e.field.toStdString();
        EXPECT_EQ(column.readOnly(), e.readOnly) << e.field.toStdString();
        EXPECT_EQ(column.title().titleButton(), e.titleButton) << e.field.toStdString();
    }

    int withList = 0;
    for (int i = 0; i < columns.count(); ++i) {
        const grid::TDBGridColumn& column = columns.at(i);
        EXPECT_EQ(column.title().alignment(), grid::taCenter);
        EXPECT_EQ(column.footer().valueType(), i == 0 ? grid::fvtCount : grid::fvtNon);
        EXPECT_TRUE(column.stFilter().visible());
        if (column.stFilter().listSource()) {
            EXPECT_EQ(column.stFilter().listSource(), &source);
            ++withList;
        }
    }
    EXPECT_EQ(withList, 4);
    const grid::TSTColumnFilter& link = columns.at(1).stFilter();
    EXPECT_EQ(link.dataField(), u"ID"_s);
    EXPECT_EQ(link.keyField(), u"ID"_s);
    EXPECT_EQ(link.listField(), u"宝贝链接"_s);
    EXPECT_EQ(columns.at(0).stFilter().keyField(), u"id"_s);
}

}  // namespace
