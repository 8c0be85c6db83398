#include <gtest/gtest.h>

#include "grid/find/TextMatch.h"

namespace {

using grid::LocateMatching;

struct MatchCase {
    const char* name;
    const char16_t* text;
    const char16_t* cell;
    LocateMatching matching;
    bool caseInsensitive;
    bool matches;
};

class TextMatchRules : public testing::TestWithParam<MatchCase> {};

TEST_P(TextMatchRules, ComparesInGbkBytes) {
    const MatchCase& c = GetParam();
    grid::TextMatch match(QString::fromUtf16(c.text), c.matching, c.caseInsensitive);
    EXPECT_EQ(match.matches(QString::fromUtf16(c.cell)), c.matches);
}

constexpr auto kAny = LocateMatching::AnyPart;
constexpr auto kWhole = LocateMatching::WholeField;
constexpr auto kBegin = LocateMatching::FromBeginning;

INSTANTIATE_TEST_SUITE_P(
    Cases, TextMatchRules,
    testing::Values(
        MatchCase{"AnyPartIgnoringCase", u"ABC", u"xabcx", kAny, true, true},
        MatchCase{"AnyPartWithCase", u"ABC", u"xabcx", kAny, false, false},
        MatchCase{"WholeIgnoringCase", u"abc", u"ABC", kWhole, true, true},
        MatchCase{"WholeWithCase", u"abc", u"ABC", kWhole, false, false},
        MatchCase{"WholeIsNotAPart", u"ab", u"abc", kWhole, true, false},
        MatchCase{"BeginningIsAPrefix", u"ab", u"abc", kBegin, true, true},
        MatchCase{"BeginningNotInside", u"bc", u"abc", kBegin, true, false},
        MatchCase{"BeginningLongerThanCell", u"abcd", u"abc", kBegin, true, false},
        // An empty text occurs nowhere, is a whole empty field and begins every field.
        MatchCase{"EmptyTextInAnyPart", u"", u"abc", kAny, true, false},
        MatchCase{"EmptyTextInEmptyCell", u"", u"", kAny, true, false},
        MatchCase{"EmptyTextWholeEmptyCell", u"", u"", kWhole, true, true},
        MatchCase{"EmptyTextWholeFullCell", u"", u"a", kWhole, true, false},
        MatchCase{"EmptyTextBeginsAnyCell", u"", u"abc", kBegin, false, true},
        MatchCase{"EmptyCellContainsNothing", u"a", u"", kAny, true, false},
        // “ is A1 B0 in GBK, the bytes that straddle the two characters of 啊啊 (B0 A1 B0 A1).
        MatchCase{"NeverFromASecondByte", u"“", u"啊啊", kAny, false, false},
        MatchCase{"DoubleByteAfterSingle", u"啊", u"x啊", kAny, false, true},
        MatchCase{"DoubleBytePrefix", u"宝贝", u"宝贝名称", kBegin, true, true},
        // 丄 is 81 41 and 乤 81 61: upper-casing bytes would turn one into the other.
        MatchCase{"TrailByteIsNoLetter", u"丄", u"乤", kWhole, true, false},
        MatchCase{"TrailByteIsNoLetterInAPart", u"丄", u"x乤y", kAny, true, false},
        MatchCase{"FullWidthLettersIgnoringCase", u"ａｂ", u"ＡＢ", kWhole, true, true},
        MatchCase{"FullWidthLettersWithCase", u"ａｂ", u"ＡＢ", kWhole, false, false},
        MatchCase{"GreekIgnoringCase", u"α", u"ΑΒ", kBegin, true, true},
        // A character that GBK lacks is '?' in the code page, as the file would hold it.
        MatchCase{"OutsideGbkIsAQuestionMark", u"a?b", u"a😀b", kWhole, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
