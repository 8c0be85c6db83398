#include <gtest/gtest.h>

#include "grid/celltext/FloatFormat.h"

namespace {

struct Formatted {
    const char16_t* format;
    double value;
    const char16_t* text;
};

void PrintTo(const Formatted& c, std::ostream* out) {
    *out << QString::fromUtf16(c.format).toStdString() << " with " << c.value;
}

class DisplayFormat : public testing::TestWithParam<Formatted> {};

TEST_P(DisplayFormat, FormatsLikeADataCell) {
    EXPECT_EQ(grid::formatFloat(QString::fromUtf16(GetParam().format), GetParam().value, u'.'),
              QString::fromUtf16(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, DisplayFormat,
    testing::Values(
        // Placeholders and rounding (half away from zero, 15 significant digits).
        Formatted{u"0", 2.5, u"3"}, Formatted{u"0", -2.5, u"-3"},
        Formatted{u"0.00", 1.005, u"1.01"}, Formatted{u"000", 7, u"007"},
        Formatted{u"##0", 12345, u"12345"}, Formatted{u"#", 0, u""}, Formatted{u"0.##", 1, u"1"},
        Formatted{u"0.##", 1.5, u"1.5"}, Formatted{u".00", 0.5, u".50"},
        Formatted{u"0.0", 9.96, u"10.0"}, Formatted{u"0.0", -0.04, u"0.0"},
        Formatted{u"00-00", 1234, u"12-34"},
        // Thousands.
        Formatted{u"#,##0.00", 1234567.891, u"1,234,567.89"}, Formatted{u"#,##0", 0, u"0"},
        Formatted{u"#,##0", -999.5, u"-1,000"},
        // Sections for negative values and zero.
        Formatted{u"0.00;(0.00)", -3.14159, u"(3.14)"}, Formatted{u"0.00;(0.00);零", 0, u"零"},
        Formatted{u"0.0;;zero", 0.04, u"zero"}, Formatted{u"0;;zero", -7, u"-7"},
        // Scientific notation.
        Formatted{u"0.00E+00", 1234.5, u"1.23E+03"}, Formatted{u"0.00E+00", 0.000123, u"1.23E-04"},
        Formatted{u"0.0e-0", 1234.5, u"1.2e3"}, Formatted{u"00.0E+0", 1234.5, u"12.3E+2"},
        Formatted{u"0.0E+00", 9.96, u"1.0E+01"},
        // Literal text.
        Formatted{u"'$'#,##0.00", 1234.5, u"$1,234.50"}, Formatted{u"0 条", 4, u"4 条"},
        Formatted{u"\"#\"0", 5, u"#5"}, Formatted{u"合计", 5, u"合计"}));

TEST(DisplayFormat, CommaDecimalSeparatorGroupsWithPoints) {
    EXPECT_EQ(grid::formatFloat(QStringLiteral("#,##0.00"), 1234.5, u','),
              QStringLiteral("1.234,50"));
}

struct General {
    double value;
    const char* text;
};

void PrintTo(const General& c, std::ostream* out) {
    *out << c.value;
}

class GeneralFormat : public testing::TestWithParam<General> {};

TEST_P(GeneralFormat, ShowsTheShortestTextOfFifteenDigits) {
    EXPECT_EQ(grid::formatGeneral(GetParam().value, 15, u'.'),
              QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Values, GeneralFormat,
                         testing::Values(General{0, "0"}, General{1234, "1234"},
                                         General{0.1 + 0.2, "0.3"}, General{-2.5, "-2.5"},
                                         General{1e20, "1E20"}, General{1.5e-7, "1.5E-7"},
                                         General{0.00001, "0.00001"},
                                         General{123456789012345678.0, "1.23456789012346E17"},
                                         General{999999999999999.0, "999999999999999"}));

TEST(GeneralFormat, UsesTheDecimalSeparatorGiven) {
    EXPECT_EQ(grid::formatGeneral(1.5005, 15, u','), QStringLiteral("1,5005"));
}

}  // namespace
