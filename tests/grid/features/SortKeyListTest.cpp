#include <gtest/gtest.h>

#include <QStringList>

#include "grid/columns/TDBGridColumns.h"
#include "grid/features/TDatasetFeatures.h"

namespace {

using grid::SortKeyList;
using grid::TColumn;
using grid::TDBGridColumns;
using grid::TSortMarker;

// A script of operations on columns A to D, separated by spaces:
//   A>  A<  A.    set A's marker to smDown, smUp, smNone
//   A#2           set A's SortIndex to 2
//   A!  A^        a title click on A, plain and with Ctrl held
//   [  ]          begin and end a batch update
//   single multi  switch multi-sort marking off or on
struct Case {
    const char* name;
    const char* script;
    // Every column with a marker or an index, in column order: "A>1 B<2".
    const char* state;
    const char* sortString;
};

class SortKeyListCase : public testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        for (const char16_t* name : {u"A", u"B", u"C", u"D"})
            columns.add().setFieldName(QString::fromUtf16(name));
    }

    TColumn& column(QChar letter) { return columns.at(letter.unicode() - u'A'); }

    void run(const QString& script) {
        for (const QString& op : script.split(u' ', Qt::SkipEmptyParts)) {
            SortKeyList& keys = columns.sortKeys();
            if (op == u"single" || op == u"multi")
                keys.setMultiSortMarking(op == u"multi");
            else if (op == u"[")
                columns.beginUpdate();
            else if (op == u"]")
                columns.endUpdate();
            else if (op[1] == u'>')
                column(op[0]).title().setSortMarker(grid::smDown);
            else if (op[1] == u'<')
                column(op[0]).title().setSortMarker(grid::smUp);
            else if (op[1] == u'.')
                column(op[0]).title().setSortMarker(grid::smNone);
            else if (op[1] == u'#')
                column(op[0]).title().setSortIndex(op.mid(2).toInt());
            else if (op[1] == u'!' || op[1] == u'^')
                keys.stepSortMarker(column(op[0]), op[1] == u'^');
            else
                FAIL() << "bad op " << op.toStdString();
        }
    }

    QString state() const {
        QStringList parts;
        for (int i = 0; i < columns.count(); ++i) {
            const grid::TColumnTitle& title = columns.at(i).title();
            if (title.sortMarker() == grid::smNone && title.sortIndex() == 0)
                continue;
            const char16_t marker = title.sortMarker() == grid::smDown ? u'>'
                                    : title.sortMarker() == grid::smUp ? u'<'
                                                                       : u'.';
            parts << columns.at(i).fieldName() + QChar(marker) + QString::number(title.sortIndex());
        }
        return parts.join(u' ');
    }

    TDBGridColumns columns;
};

TEST_P(SortKeyListCase, MarkersIndexesAndSortString) {
    run(QString::fromUtf8(GetParam().script));
    EXPECT_EQ(state().toStdString(), GetParam().state);
    EXPECT_EQ(grid::TDatasetFeatures::sortString(columns.sortKeys()).toStdString(),
              GetParam().sortString);
}

// clang-format off
const Case kCases[] = {
    {"SingleMarkerIsTheOnlyKey",            "A>",                "A>1",         "[A]"},
    {"SingleNewMarkerRemovesTheOld",        "A> B<",             "B<1",         "[B] DESC"},
    {"SingleMarkerChangedStaysKey",         "A> A<",             "A<1",         "[A] DESC"},
    {"SingleMarkerRemovedEmptiesTheList",   "A> A.",             "",            ""},
    {"MultiMarkersAppendInOrder",           "multi A> B> C<",    "A>1 B>2 C<3", "[A], [B], [C] DESC"},
    {"MultiRemovedKeyLetsLaterKeysMoveUp",  "multi A> B> C> B.", "A>1 C>2",     "[A], [C]"},
    {"MultiChangedMarkerKeepsItsPlace",     "multi A> B> A<",    "A<1 B>2",     "[A] DESC, [B]"},
    {"MultiIndexOfAnotherKeySwapsPlaces",   "multi A> B> C> C#1", "A>3 B>2 C>1", "[C], [B], [A]"},
    {"NegativeIndexCountsAsZero",           "multi A> B> C#-4",  "A>1 B>2",     "[A], [B]"},
    {"PlainClicksToggleAndNeverUnsort",     "A! A! A!",          "A>1",         "[A]"},
    {"PlainClicksSecondGivesDescending",    "multi A! A!",       "A<1",         "[A] DESC"},
    {"PlainClickOnAnotherTitleMovesTheKey", "A! B!",             "B>1",         "[B]"},
    {"PlainClickClearsOtherMultiKeys",      "multi A^ B^ C! ",   "C>1",         "[C]"},
    {"CtrlClicksAddKeys",                   "multi A^ B^",       "A>1 B>2",     "[A], [B]"},
    {"CtrlClicksTakeTheKeyAway",            "multi A^ B^ A^ A^", "B>1",         "[B]"},
    {"LeavingMultiKeepsTheFirstKey",        "multi A> B< C> single", "A>1",     "[A]"},
    {"AfterLeavingMultiOneKeyOnly",         "multi A> B> single C>", "C>1",     "[C]"},
    {"BatchRebuildsInIndexOrder",           "multi [ A> B< B#1 A#2 ]", "A>2 B<1", "[B] DESC, [A]"},
    {"BatchWithoutIndexesKeepsColumnOrder", "multi [ C> A< ]",   "A<1 C>2",     "[A] DESC, [C]"},
    {"BatchWithoutMultiKeepsTheFirstKey",   "[ B< A> B#1 ]",     "B<1",         "[B] DESC"},
    {"BatchDropsIndexesOfUnmarkedColumns",  "multi [ A> C#3 ]",  "A>1",         "[A]"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(SortKeyList, SortKeyListCase, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SortKeyList, BatchStoresOnlyTheValuesUntilItEnds) {
    TDBGridColumns columns;
    TColumn& a = columns.add();
    a.setFieldName(QStringLiteral("A"));
    TColumn& b = columns.add();
    b.setFieldName(QStringLiteral("B"));
    b.title().setSortMarker(grid::smDown);

    columns.beginUpdate();
    a.title().setSortMarker(grid::smUp);
    EXPECT_EQ(a.title().sortIndex(), 0);
    EXPECT_EQ(b.title().sortMarker(), grid::smDown);
    EXPECT_EQ(columns.sortKeys().count(), 1);
    columns.beginUpdate();
    columns.endUpdate();
    EXPECT_EQ(columns.sortKeys().count(), 1);
    columns.endUpdate();

    // Without multi-sort marking only the first key by index keeps its marker.
    EXPECT_EQ(a.title().sortMarker(), grid::smNone);
    EXPECT_EQ(b.title().sortMarker(), grid::smDown);
    EXPECT_EQ(&columns.sortKeys().at(0), &b);
}

TEST(SortKeyList, ColumnOutsideAGridStoresItsValues) {
    TColumn column;
    column.title().setSortMarker(grid::smUp);
    column.title().setSortIndex(-2);
    EXPECT_EQ(column.title().sortMarker(), grid::smUp);
    EXPECT_EQ(column.title().sortIndex(), 0);
}

}  // namespace
