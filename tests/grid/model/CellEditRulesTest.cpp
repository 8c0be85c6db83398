#include <gtest/gtest.h>

#include "grid/columns/ItemGridColumns.h"
#include "grid/columns/TDBGridColumns.h"
#include "grid/model/CellEditRules.h"
#include "store/DataSource.h"
#include "store/ItemDatabase.h"
#include "store/Locale.h"
#include "tests/support/TempDir.h"

namespace {

using namespace Qt::StringLiterals;
using namespace grid;
using store::FieldKind;

// The configured item columns over the item query of a database holding
// `records` records.
struct ItemColumns {
    explicit ItemColumns(int records) {
        const QString file = testsupport::createItemDatabase(folder);
        for (int i = 0; i < records; ++i)
            testsupport::runSql(file, u"INSERT INTO BabyData(宝贝名称) VALUES ('x')"_s);
        database.connectFile(file);
        database.openItemQuery();
        source.setDataSet(&database.itemQuery);
        columns.setDataSource(&source);
        addItemColumns(columns, &source);
    }
    const TDBGridColumn& column(const QString& fieldName) const {
        for (int i = 0; i < columns.count(); ++i) {
            if (columns.at(i).fieldName() == fieldName)
                return columns.at(i);
        }
        throw std::out_of_range("no such column");
    }
    store::Query& query() { return database.itemQuery; }

    testsupport::TempDir folder;
    store::ItemDatabase database;
    store::DataSource source;
    TDBGridColumns columns;
};

CellEditRules defaults() {
    return CellEditRules(kDefaultOptions, kAllAllowedOperations, false);
}

TEST(CellEditRules, OnlyTheConfiguredEditableColumnsAreTabStopsAndChangeable) {
    ItemColumns items(2);
    const QStringList editable{u"ID"_s,       u"宝贝链接"_s, u"视频"_s,
                               u"代充类型"_s, u"宝贝编号"_s, u"数据ID"_s};
    for (int i = 0; i < items.columns.count(); ++i) {
        const TDBGridColumn& column = items.columns.at(i);
        const bool expected = editable.contains(column.fieldName());
        EXPECT_EQ(CellEditRules::isTabStop(column), expected) << column.fieldName().toStdString();
        EXPECT_EQ(defaults().canModifyCell(column, &items.query()), expected)
            << column.fieldName().toStdString();
    }
}

TEST(CellEditRules, ACellIsChangedOnlyWhenGridColumnFieldAndOperationsAllowIt) {
    ItemColumns items(2);
    TDBGridColumns& columns = items.columns;
    TDBGridColumn& link = columns.at(1);
    ASSERT_EQ(link.fieldName(), u"宝贝链接"_s);

    EXPECT_FALSE(defaults().canModifyCell(link, nullptr)) << "no open dataset";
    EXPECT_FALSE(CellEditRules(kDefaultOptions, kAllAllowedOperations, true)
                     .canModifyCell(link, &items.query()))
        << "read-only grid";

    // Without alopUpdate only a record being inserted is changed.
    const CellEditRules noUpdate(kDefaultOptions, alopInsert | alopAppend | alopDelete, false);
    EXPECT_FALSE(noUpdate.canModifyCell(link, &items.query()));
    items.query().append();
    EXPECT_TRUE(noUpdate.canModifyCell(link, &items.query()));
    items.query().cancel();

    store::Field& field = *link.field();
    field.setReadOnly(true);
    EXPECT_FALSE(defaults().canModifyCell(link, &items.query())) << "read-only field";
    EXPECT_FALSE(CellEditRules::isTabStop(link));
    field.setReadOnly(false);

    link.setVisible(false);
    EXPECT_FALSE(CellEditRules::isTabStop(link)) << "hidden column";
    EXPECT_TRUE(defaults().canModifyCell(link, &items.query()));
    link.setVisible(true);

    // A memo column that is not marked read-only still cannot be changed.
    TDBGridColumn& description = columns.add();
    description.setFieldName(u"宝贝描述"_s);
    EXPECT_TRUE(CellEditRules::isTabStop(description));
    EXPECT_FALSE(defaults().canModifyCell(description, &items.query()));
}

TEST(CellEditRules, AnEmptyDatasetIsChangedOnlyWhenRecordsMayBeAdded) {
    ItemColumns items(0);
    const TDBGridColumn& link = items.column(u"宝贝链接"_s);
    EXPECT_TRUE(defaults().canModifyCell(link, &items.query()));
    EXPECT_FALSE(CellEditRules(kDefaultOptions, alopUpdate | alopDelete, false)
                     .canModifyCell(link, &items.query()));
    EXPECT_TRUE(CellEditRules(kDefaultOptions, alopUpdate | alopAppend, false)
                    .canModifyCell(link, &items.query()));
    EXPECT_FALSE(defaults().canDeleteRecord(items.query()));
}

TEST(CellEditRules, NumericFieldsTakeDigitsAndSignsOnly) {
    store::Locale comma;
    comma.decimalSeparator = u',';
    store::Locale::setCurrent(comma);
    struct Case {
        FieldKind kind;
        QString typed;
        QString accepted;
    };
    const Case cases[] = {
        {FieldKind::Integer, u"+-0123456789"_s, u"+-0123456789"_s},
        {FieldKind::AutoInc, u"1a2 3.4e５"_s, u"1234"_s},
        {FieldKind::SmallInt, u"-7x"_s, u"-7"_s},
        {FieldKind::Float, u"1,5e-3.x"_s, u"1,5e-3"_s},
        {FieldKind::BCD, u"1,5e3."_s, u"1,53"_s},
        {FieldKind::WideString, u"宝贝 a1,."_s, u"宝贝 a1,."_s},
        {FieldKind::Memo, u"a\tb\nc"_s, u"abc"_s},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CellEditRules::acceptedText(c.kind, c.typed), c.accepted)
            << c.typed.toStdString();
    }
    EXPECT_FALSE(CellEditRules::acceptsCharacter(FieldKind::Integer, u'a'));
    EXPECT_TRUE(CellEditRules::acceptsCharacter(FieldKind::WideString, u'a'));
    store::Locale::setCurrent(store::Locale());
}

}  // namespace
