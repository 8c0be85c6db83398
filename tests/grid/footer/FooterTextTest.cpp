#include <gtest/gtest.h>

#include "grid/columns/TColumn.h"
#include "grid/footer/FooterText.h"
#include "grid/sumlist/TDBGridSumList.h"
#include "store/Error.h"
#include "store/ItemDatabase.h"
#include "store/Locale.h"
#include "tests/support/TempDir.h"

namespace {

// Numbers of every kind, with nulls: the sum list holds the sum, average and
// count of each and the plain record count (4).
class FooterCell : public testing::Test {
protected:
    void SetUp() override {
        store::Locale::setCurrent(store::Locale{});
        const QString path = testsupport::createItemDatabase(dir);
        testsupport::runSql(
            path, QStringLiteral("CREATE TABLE Nums (id INTEGER PRIMARY KEY, i INTEGER, "
                                 "r REAL, b NUMERIC, t TEXT(10), flag BIT);"
                                 "INSERT INTO Nums(i, r, b, t, flag) VALUES"
                                 " (2, 0.0001, 2.5, 'first', 1), (NULL, 0.0004, NULL, NULL, 0),"
                                 " (3, NULL, 0.00006, 'x', 1), (NULL, 1.5, -1, 'y', 0);"));
        database.connectFile(path);
        nums.setSql(QStringLiteral("Select * from Nums"));
        nums.open();
        for (const char* name : {"id", "i", "r", "b", "t", "flag"}) {
            for (const grid::TGroupOperation operation : {grid::goSum, grid::goAvg}) {
                grid::TDBSum& item = sums.sumCollection().add();
                item.setGroupOperation(operation);
                item.setFieldName(QString::fromLatin1(name));
            }
        }
        sums.sumCollection().add().setGroupOperation(grid::goCount);
        sums.setDataSet(&nums);
        sums.setActive(true);
    }
    void TearDown() override { sums.setDataSet(nullptr); }

    QString text(const QString& columnFieldName = {}) {
        return grid::footerText(column.footer(), columnFieldName, &nums, sums.sumCollection());
    }

    testsupport::TempDir dir;
    store::ItemDatabase database;
    store::Query nums{database.itemConnection, QStringLiteral("Nums")};
    grid::TDBGridSumList sums;
    grid::TColumn column;
};

struct Cell {
    grid::TFooterValueType valueType;
    const char* columnField;
    const char* footerField;
    const char16_t* displayFormat;
    const char16_t* text;
};

void PrintTo(const Cell& c, std::ostream* out) {
    *out << c.valueType << ' ' << c.columnField << '/' << c.footerField << ' '
         << QString::fromUtf16(c.displayFormat).toStdString();
}

class FooterCellByType : public FooterCell, public testing::WithParamInterface<Cell> {};

TEST_P(FooterCellByType, FormatsByTheFieldsKind) {
    column.footer().setValueType(GetParam().valueType);
    column.footer().setFieldName(QString::fromLatin1(GetParam().footerField));
    column.footer().setDisplayFormat(QString::fromUtf16(GetParam().displayFormat));
    EXPECT_EQ(text(QString::fromLatin1(GetParam().columnField)),
              QString::fromUtf16(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Cells, FooterCellByType,
    testing::Values(
        Cell{grid::fvtNon, "i", "", u"", u""},
        // Whole numbers for integer kinds: 2.5 rounds to the even 2.
        Cell{grid::fvtSum, "i", "", u"", u"5"}, Cell{grid::fvtAvg, "I", "", u"", u"2"},
        Cell{grid::fvtAvg, "i", "", u"0.00", u"2.50"}, Cell{grid::fvtSum, "id", "", u"", u"10"},
        // The footer's field name wins over the column's.
        Cell{grid::fvtSum, "t", "i", u"", u"5"},
        // General format for floating-point and BCD kinds.
        Cell{grid::fvtSum, "r", "", u"", u"1.5005"}, Cell{grid::fvtAvg, "r", "", u"", u"0.5002"},
        Cell{grid::fvtSum, "b", "", u"", u"1.5001"}, Cell{grid::fvtAvg, "b", "", u"", u"0.5"},
        Cell{grid::fvtSum, "b", "", u"#,##0.0", u"1.5"},
        // Other kinds and missing fields show 0.
        Cell{grid::fvtSum, "t", "", u"", u"0"}, Cell{grid::fvtSum, "flag", "", u"", u"0"},
        Cell{grid::fvtAvg, "missing", "", u"", u"0"}, Cell{grid::fvtSum, "", "", u"", u"0"},
        // The plain record count, whatever the field.
        Cell{grid::fvtCount, "t", "", u"", u"4"}, Cell{grid::fvtCount, "", "", u"0 条", u"4 条"},
        // The current record's value, as a data cell shows it.
        Cell{grid::fvtFieldValue, "i", "t", u"", u"first"},
        Cell{grid::fvtFieldValue, "i", "r", u"0.0000", u"0.0001"},
        Cell{grid::fvtFieldValue, "i", "flag", u"", u"True"},
        Cell{grid::fvtFieldValue, "i", "", u"", u""},
        Cell{grid::fvtStaticText, "i", "", u"", u""}));

TEST_F(FooterCell, StaticTextShowsTheFootersValue) {
    column.footer().setValueType(grid::fvtStaticText);
    column.footer().setValue(QStringLiteral("合计"));
    EXPECT_EQ(text(), QStringLiteral("合计"));
}

TEST_F(FooterCell, FieldValueOfAMissingFieldFailsWithTheDatasetsMessage) {
    column.footer().setValueType(grid::fvtFieldValue);
    column.footer().setFieldName(QStringLiteral("zz"));
    try {
        text();
        FAIL() << "no failure";
    } catch (const store::Error& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Nums: Field 'zz' not found"));
    }
}

TEST_F(FooterCell, ClosedOrMissingDatasetShowsZeroOrNothing) {
    nums.close();
    column.footer().setValueType(grid::fvtCount);
    EXPECT_EQ(text(), QStringLiteral("0"));
    column.footer().setValueType(grid::fvtSum);
    EXPECT_EQ(grid::footerText(column.footer(), QStringLiteral("i"), nullptr, sums.sumCollection()),
              QStringLiteral("0"));
    column.footer().setValueType(grid::fvtFieldValue);
    column.footer().setFieldName(QStringLiteral("t"));
    EXPECT_EQ(text(), QString());
}

TEST_F(FooterCell, NumbersUseTheSystemsDecimalSeparator) {
    store::Locale comma;
    comma.decimalSeparator = u',';
    store::Locale::setCurrent(comma);
    column.footer().setValueType(grid::fvtSum);
    EXPECT_EQ(text(QStringLiteral("r")), QStringLiteral("1,5005"));
    store::Locale::setCurrent(store::Locale{});
}

}  // namespace
