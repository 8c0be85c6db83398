#include <vector>

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "itemfile/ItemFileReader.h"
#include "itemfile/RecordSink.h"
#include "itemfile/StripQuotes.h"

namespace {

using namespace Qt::StringLiterals;

using itemfile::ItemFileReader;
using itemfile::ReaderLimits;

// Collects records in memory: one list of raw field texts per started record.
class RecordingSink : public itemfile::RecordSink {
public:
    void startRecord() override { records.emplace_back(); }
    void storeField(int index, QStringView text) override {
        ASSERT_FALSE(records.empty());
        ASSERT_EQ(index, records.back().size());
        records.back() << text.toString();
    }
    void lineHandled(int recordCount) override { lineCounts.push_back(recordCount); }

    std::vector<QStringList> records;
    std::vector<int> lineCounts;
};

// Reads `text` (what follows the byte-order mark) in chunks and windows of the given sizes.
RecordingSink read(const QString& text, int columnCount, ReaderLimits limits) {
    RecordingSink sink;
    ItemFileReader reader(sink, columnCount, limits);
    const qsizetype chunkChars = limits.chunkBytes / 2;
    for (qsizetype start = 0; start < text.size(); start += chunkChars) {
        reader.addChunk(QStringView(text).sliced(start, std::min(chunkChars, text.size() - start)));
    }
    reader.finish();
    return sink;
}

RecordingSink readWhole(const QString& text, int columnCount) {
    const int size = static_cast<int>(std::max<qsizetype>(text.size(), 1));
    return read(text, columnCount, ReaderLimits{size * 2, size});
}

QString s(const char16_t* text) {
    return QString::fromUtf16(text);
}

// ---------------------------------------------------------------- StripQuotes

struct QuoteCase {
    const char16_t* text;
    const char16_t* stripped;
};

class StripQuotesTest : public testing::TestWithParam<QuoteCase> {};

TEST_P(StripQuotesTest, RemovesAtMostOneQuoteAtEachEnd) {
    EXPECT_EQ(itemfile::stripQuotes(s(GetParam().text)).toString(), s(GetParam().stripped));
}

INSTANTIATE_TEST_SUITE_P(Texts, StripQuotesTest,
                         testing::Values(QuoteCase{u"\"ab\"", u"ab"}, QuoteCase{u"\"", u""},
                                         QuoteCase{u"\"\"", u""}, QuoteCase{u"\"\"\"", u"\""},
                                         QuoteCase{u"\"a", u"a"}, QuoteCase{u"a\"", u"a"},
                                         QuoteCase{u"a\"b", u"a\"b"}, QuoteCase{u"", u""},
                                         QuoteCase{u"\r\"a\"", u"\r\"a"}));

// ---------------------------------------------------------------- lines, records, fields

struct SplitCase {
    const char* name;
    const char16_t* text;  // after the byte-order mark, header line included
    int columnCount;
    std::vector<QStringList> records;
};

class ReaderSplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(ReaderSplitTest, GivesTheseRecords) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(readWhole(s(c.text), c.columnCount).records, c.records);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReaderSplitTest,
    testing::Values(
        SplitCase{"ExportedLinesAreOneRecordEach",
                  u"h\r\na\tb\t\r\nc\td\t\r\n",
                  2,
                  {{u"a"_s, u"b"_s}, {u"c"_s, u"d"_s}}},
        SplitCase{"CrEndsTheLastFieldWithoutTab",
                  u"h\na\tb\r\nc\td\r\n",
                  2,
                  {{u"a"_s, u"b"_s}, {u"c"_s, u"d"_s}}},
        SplitCase{"LastLineWithoutLineEndKeepsItsLastValue",
                  u"h\na\tb\tc",
                  9,
                  {{u"a"_s, u"b"_s, u"c"_s}}},
        SplitCase{"LastLineEndingWithTabGainsNoEmptyField", u"h\na\tb\t", 9, {{u"a"_s, u"b"_s}}},
        SplitCase{
            "LastContinuationLineWithoutTabGivesNoField", u"h\na\tb\r\nc", 9, {{u"a"_s, u"b"_s}}},
        SplitCase{
            "LastLineEndingWithCrKeepsAllFields", u"h\na\tb\tc\r", 9, {{u"a"_s, u"b"_s, u"c"_s}}},
        SplitCase{"HeaderOnly", u"h1\th2\r\n", 2, {}},
        SplitCase{"NoHeaderLineFeedKeepsEverything", u"a\tb\t", 2, {{u"a"_s, u"b"_s}}},
        SplitCase{"ShortLineIsContinuedAfterItsCr",
                  u"h\na\t\r\nb\tc\t\r\nd\t\r\n",
                  2,
                  {{u"a"_s, u"\rb"_s, u"c"_s}, {u"d"_s}}},
        SplitCase{"BareLineFeedInsideValueIsJoined",
                  u"h\nx\t\"ab\ncd\"\ty\t\r\n",
                  3,
                  {{u"x"_s, u"\"abcd\""_s, u"y"_s}}},
        SplitCase{"CrLfInsideValueEndsFieldEarly",
                  u"h\nx\t\"ab\r\ncd\"\ty\t\r\n",
                  4,
                  {{u"x"_s, u"\"ab"_s, u"cd\""_s, u"y"_s}}},
        SplitCase{"EmptyLineStartsRecordWhoseCrLeadsTheNextField",
                  u"h\na\tb\t\r\n\r\n\"c\"\td\t\r\n",
                  2,
                  {{u"a"_s, u"b"_s}, {u"\r\"c\""_s, u"d"_s}}},
        SplitCase{"EmptyLinesAtEndStartOneEmptyRecord",
                  u"h\na\tb\t\r\n\r\n\r\n",
                  2,
                  {{u"a"_s, u"b"_s}, {}}},
        SplitCase{"LineWithoutTabStartsRecordAndLeadsItsFirstField",
                  u"h\nab\r\ncd\tef\t\r\n",
                  2,
                  {{u"ab\rcd"_s, u"ef"_s}}},
        SplitCase{"CrOnlyTerminatesWhenNoTabIsLeft",
                  u"h\na\tb\rc\td\re\rf\n",
                  9,
                  {{u"a"_s, u"b\rc"_s, u"d"_s, u"e"_s}}},
        SplitCase{
            "FirstFieldNeedsATab", u"h\na\rb\rc\r\nx\ty\t\r\n", 1, {{u"a\rb\rc\rx"_s, u"y"_s}}},
        SplitCase{"ColumnCountCountsFieldsNotLines",
                  u"h\na\tb\tc\t\r\nd\t\r\n",
                  2,
                  {{u"a"_s, u"b"_s, u"c"_s}, {u"d"_s}}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(ItemFileReaderTest, ReportsRecordCountAfterEveryLine) {
    const RecordingSink sink = readWhole(u"h\na\t\r\nb\t\r\n\r\nc"_s, 2);
    EXPECT_EQ(sink.lineCounts, (std::vector<int>{1, 1, 2, 2}));
}

TEST(ItemFileReaderTest, HeaderIsKeptWhenFirstChunkHoldsNoLineFeed) {
    const RecordingSink sink = read(u"h1\th2\na\tb\t\r\n"_s, 2, ReaderLimits{4, 50000});
    EXPECT_EQ(sink.records, (std::vector<QStringList>{{u"h1"_s, u"h2a"_s, u"b"_s}}));
}

// ---------------------------------------------------------------- repeated header lines

struct HeaderCase {
    const char* name;
    const char16_t* line;
    bool skipped;
};

class RepeatedHeaderTest : public testing::TestWithParam<HeaderCase> {};

TEST_P(RepeatedHeaderTest, OnlyTheExactHeaderIsSkipped) {
    const QString text =
        u"h1\th2\r\na\tb\t\r\n"_s + QStringView(GetParam().line).toString() + u"\nc\td\t\r\n"_s;
    RecordingSink sink;
    ItemFileReader reader(sink, 2);
    reader.skipRepeatedHeader(u"h1\th2"_s);
    reader.addChunk(text);
    reader.finish();
    std::vector<QStringList> expected = {{u"a"_s, u"b"_s}, {u"c"_s, u"d"_s}};
    if (!GetParam().skipped) {
        expected.insert(expected.begin() + 1, QStringList());
    }
    ASSERT_EQ(sink.records.size(), expected.size());
    EXPECT_EQ(sink.records.front(), expected.front());
    EXPECT_EQ(sink.records.back(), expected.back());
}

INSTANTIATE_TEST_SUITE_P(Lines, RepeatedHeaderTest,
                         testing::Values(HeaderCase{"AfterMark", u"\uFEFFh1\th2\r", true},
                                         HeaderCase{"WithoutMark", u"h1\th2\r", true},
                                         HeaderCase{"WithoutCr", u"h1\th2", true},
                                         HeaderCase{"WithTrailingTab", u"h1\th2\t\r", false},
                                         HeaderCase{"OtherLetterCase", u"H1\th2\r", false},
                                         HeaderCase{"TwoMarks", u"\uFEFF\uFEFFh1\th2\r", false}),
                         [](const testing::TestParamInfo<HeaderCase>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------- chunk and window boundaries

// Text whose lines hold long fields, CR LF, bare LF, empty lines, surrogate
// pairs and lines that continue the record before them. The header line is
// empty, so that even a chunk of one character holds its LF.
QString mixedText() {
    QString text = u"\n"_s;
    for (int line = 0; line < 60; ++line) {
        QStringList fields;
        for (int f = 0; f < 5; ++f) {
            fields << QString(line % 7 + f, QChar(u'a' + f)) + u"😀"_s + QString::number(line);
        }
        if (line % 5 == 0) {
            fields[2] = u"\"x\ny\""_s;
        }
        if (line % 9 == 0) {
            fields[3] = u"\"p\r\nq\""_s;
        }
        text += fields.join(u'\t') + (line % 4 == 0 ? u"\t\r\n"_s : u"\r\n"_s);
        if (line % 11 == 0) {
            text += u"\r\n"_s;
        }
    }
    return text + u"tail\tend"_s;
}

struct Sizes {
    int chunkBytes;
    int windowChars;
};

class ReaderBoundaryTest : public testing::TestWithParam<Sizes> {};

TEST_P(ReaderBoundaryTest, SameRecordsAsReadInOnePiece) {
    const QString text = mixedText();
    const RecordingSink whole = readWhole(text, 7);
    ASSERT_GT(whole.records.size(), 30u);
    const RecordingSink pieces =
        read(text, 7, ReaderLimits{GetParam().chunkBytes, GetParam().windowChars});
    EXPECT_EQ(pieces.records, whole.records);
    EXPECT_EQ(pieces.lineCounts, whole.lineCounts);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ReaderBoundaryTest,
                         testing::Values(Sizes{2, 1}, Sizes{4, 1}, Sizes{4, 2}, Sizes{6, 1},
                                         Sizes{10, 3}, Sizes{14, 7}, Sizes{64, 5}, Sizes{66, 32},
                                         Sizes{1002, 17}, Sizes{1002, 50000}, Sizes{8, 50000}));

}  // namespace
