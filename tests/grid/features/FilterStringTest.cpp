#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "grid/columns/ItemGridColumns.h"
#include "grid/columns/TDBGridColumns.h"
#include "grid/features/DatasetFeaturesRegistry.h"
#include "grid/features/FilterString.h"
#include "store/DataSource.h"
#include "store/Error.h"
#include "store/ItemDatabase.h"
#include "store/Locale.h"
#include "tests/support/TempDir.h"

namespace {

using namespace Qt::StringLiterals;
using grid::TDBGridColumns;

// Filter cell texts by the field name of their column, in the order typed.
using CellTexts = std::vector<std::pair<QString, QString>>;

// The configured grid columns over an item table of known rows, filtered
// through the features of the item query's class.
class FilterString : public testing::Test {
protected:
    void SetUp() override {
        const QString path = testsupport::createItemDatabase(dir);
        testsupport::runSql(path,
                            uR"(
            INSERT INTO BabyData(ID, 宝贝名称, 加价幅度, 视频, 宝贝链接, 宝贝价格) VALUES
                (1, 'abc', 50, 'abc', 'http://a', 150),
                (2, 'abc', 5, 'abcdef', 'http://b', 100),
                (3, 'xyz', 20, NULL, 'http://c', 300),
                (4, 'Neil', 60, 'O''Neil', NULL, NULL),
                (5, NULL, 150, 'x', 'http://e', 100);
        )"_s);
        database.connectFile(path);
        source.setDataSet(&database.itemQuery);
        columns.setDataSource(&source);
        grid::addItemColumns(columns, &source);
        database.openItemQuery();
    }

    grid::TSTColumnFilter& cell(const QString& fieldName) {
        for (int i = 0; i < columns.count(); ++i) {
            if (columns.at(i).fieldName() == fieldName)
                return columns.at(i).stFilter();
        }
        throw std::logic_error("no such column");
    }

    // Types the texts, applies them as the grid does and gives the filter
    // string; `ids` receives the IDs of the rows then shown.
    QString apply(const CellTexts& texts, std::vector<qlonglong>& ids) {
        for (const auto& [fieldName, text] : texts)
            cell(fieldName).assignFilterText(text);
        store::Query& query = database.itemQuery;
        const QString text = grid::filterString(columns, true);
        grid::resolveDatasetFeatures(query)->applyFilter(columns, query, query.isActive());
        EXPECT_EQ(query.filter(), text);
        EXPECT_TRUE(query.filtered());
        ids.clear();
        const int id = query.fieldByName(u"ID"_s).index();
        for (int row = 0; row < query.recordCount(); ++row)
            ids.push_back(query.rowValue(row, id).toLongLong());
        return text;
    }

    testsupport::TempDir dir;
    store::ItemDatabase database;
    store::DataSource source;
    TDBGridColumns columns;
};

TEST_F(FilterString, CellTextsBecomeTheDatasetFilterAndSelectTheirRows) {
    struct Case {
        CellTexts texts;
        QString filter;
        std::vector<qlonglong> ids;
    };
    const Case cases[] = {
        {{{u"宝贝名称"_s, u"abc"_s}, {u"加价幅度"_s, u">10 AND <100"_s}},
         u" ([宝贝名称] = 'abc') AND  [加价幅度] > 10 AND [加价幅度] < 100 "_s,
         {1}},
        {{{u"视频"_s, u"abc"_s}}, u" [视频] Like 'abc' "_s, {1}},
        {{{u"视频"_s, u"abc*"_s}}, u" [视频] Like 'abc*' "_s, {1, 2}},
        {{{u"视频"_s, u"O'Neil"_s}}, u" [视频] Like 'O''Neil' "_s, {4}},
        {{{u"视频"_s, u"<>Null"_s}}, u" [视频] IS NOT NULL "_s, {1, 2, 4, 5}},
        // Key-list columns filter on the key of the first record named by the whole text.
        {{{u"宝贝链接"_s, u"http://b"_s}}, u" ([ID] = '2') "_s, {2}},
        {{{u"ID"_s, u"3"_s}}, u" ([id] = '3') "_s, {3}},
        {{{u"宝贝价格"_s, u"100"_s}}, u" ([宝贝价格] = '100') "_s, {2, 5}},
        {{{u"宝贝名称"_s, u"=Null"_s}}, u" [宝贝名称] IS NULL "_s, {5}},
        {{{u"宝贝名称"_s, u"no such name"_s}},
         u" ([宝贝名称] IS NULL AND [宝贝名称] IS NOT NULL) "_s,
         {}},
        {{{u"宝贝价格"_s, u">100"_s}}, u" ([宝贝价格] IS NULL AND [宝贝价格] IS NOT NULL) "_s, {}},
        {{{u"加价幅度"_s, u"In (5,20)"_s}}, u" ([加价幅度] = 5 OR [加价幅度] = 20) "_s, {2, 3}},
        {{{u"加价幅度"_s, u"Not In (5,20)"_s}},
         u" NOT ( [加价幅度] = 5 OR [加价幅度] = 20) "_s,
         {1, 4, 5}},
        {{{u"加价幅度"_s, u"=5 OR >100"_s}}, u"( [加价幅度] = 5 OR [加价幅度] > 100) "_s, {2, 5}},
        {{{u"加价幅度"_s, u"=5 AND"_s}}, u" [加价幅度] = 5 "_s, {2}},
        {{{u"加价幅度"_s, u"=1.5"_s}}, u" [加价幅度] = 1.5 "_s, {}},
        {{{u"宝贝名称"_s, u"abc"_s}, {u"宝贝名称"_s, u""_s}}, u""_s, {1, 2, 3, 4, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter.toStdString());
        // The lists the key-list columns look up in are the filtered rows.
        for (int i = 0; i < columns.count(); ++i)
            columns.at(i).stFilter().assignFilterText({});
        database.itemQuery.setFilter({});
        std::vector<qlonglong> ids;
        EXPECT_EQ(apply(c.texts, ids), c.filter);
        EXPECT_EQ(ids, c.ids);
    }
}

TEST_F(FilterString, PiecesFollowTheColumnOrderAndNotTheOrderTyped) {
    std::vector<qlonglong> ids;
    const CellTexts texts{{u"加价幅度"_s, u"<100"_s}, {u"视频"_s, u"abc*"_s}};
    EXPECT_EQ(apply(texts, ids), u" [加价幅度] < 100 AND  [视频] Like 'abc*' "_s);
    columns.move(columns.count() - 9, 0);  // 视频 to the front
    EXPECT_EQ(apply(texts, ids), u" [视频] Like 'abc*' AND  [加价幅度] < 100 "_s);
    EXPECT_EQ(ids, (std::vector<qlonglong>{1, 2}));
}

TEST_F(FilterString, NumbersUseTheDecimalSeparatorTheEngineReads) {
    store::Locale comma;
    comma.decimalSeparator = u',';
    store::Locale::setCurrent(comma);
    std::vector<qlonglong> ids;
    const QString text = apply({{u"加价幅度"_s, u">4,5 AND <20,5"_s}}, ids);
    store::Locale::setCurrent(store::Locale());
    EXPECT_EQ(text, u" [加价幅度] > 4,5 AND [加价幅度] < 20,5 "_s);
    EXPECT_EQ(ids, (std::vector<qlonglong>{2, 3}));
}

TEST_F(FilterString, AFailedTextKeepsThePreviousTextAndTheDatasetFilter) {
    std::vector<qlonglong> ids;
    apply({{u"加价幅度"_s, u"<10"_s}}, ids);
    grid::TSTColumnFilter& filter = cell(u"加价幅度"_s);
    EXPECT_THROW(filter.assignFilterText(u"<ten"_s), store::Error);
    EXPECT_EQ(filter.filterText(), u"<10"_s);
    EXPECT_EQ(database.itemQuery.filter(), u" [加价幅度] < 10 "_s);
}

}  // namespace
