#include <gtest/gtest.h>

#include "grid/celltext/FieldDisplay.h"

namespace {

using grid::cellDisplayText;
using store::FieldKind;

struct DisplayCase {
    FieldKind kind;
    QVariant value;
    QString text;
};

class CellDisplayText : public testing::TestWithParam<DisplayCase> {};

TEST_P(CellDisplayText, ShowsTheValueAsItsKindSays) {
    EXPECT_EQ(cellDisplayText(GetParam().kind, GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, CellDisplayText,
    testing::Values(
        DisplayCase{FieldKind::WideString, QVariant(QStringLiteral("宝贝 A")),
                    QStringLiteral("宝贝 A")},
        DisplayCase{FieldKind::WideString, QVariant(), QString()},
        DisplayCase{FieldKind::Integer, QVariant(qlonglong(-1234567)), QStringLiteral("-1234567")},
        DisplayCase{FieldKind::Integer, QVariant(qlonglong(2147483647)),
                    QStringLiteral("2147483647")},
        DisplayCase{FieldKind::Integer, QVariant(), QString()},
        DisplayCase{FieldKind::Integer, QVariant(QStringLiteral("abc")), QStringLiteral("abc")},
        DisplayCase{FieldKind::AutoInc, QVariant(qlonglong(1000000)), QStringLiteral("1000000")},
        DisplayCase{FieldKind::Memo, QVariant(QStringLiteral("<p>描述</p>")),
                    QStringLiteral("(MEMO)")},
        DisplayCase{FieldKind::Memo, QVariant(QStringLiteral("")), QStringLiteral("(MEMO)")},
        DisplayCase{FieldKind::Memo, QVariant(), QStringLiteral("(Memo)")},
        DisplayCase{FieldKind::Boolean, QVariant(qlonglong(1)), QStringLiteral("True")}));

TEST(FieldAlignment, NumbersRightTextLeft) {
    using grid::fieldAlignment;
    EXPECT_EQ(fieldAlignment(FieldKind::Integer), grid::taRightJustify);
    EXPECT_EQ(fieldAlignment(FieldKind::AutoInc), grid::taRightJustify);
    EXPECT_EQ(fieldAlignment(FieldKind::WideString), grid::taLeftJustify);
    EXPECT_EQ(fieldAlignment(FieldKind::Memo), grid::taLeftJustify);
}

}  // namespace
