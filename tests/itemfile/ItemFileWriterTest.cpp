#include <vector>

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QVariant>

#include "itemfile/ItemFileWriter.h"
#include "itemfile/OutputDevice.h"
#include "store/Error.h"
#include "tests/support/ItemFileBuilder.h"

namespace {

using namespace Qt::StringLiterals;
using itemfile::ExportVariant;
using itemfile::ItemFileWriter;
using store::FieldKind;

// Keeps what is written and, past `limit` bytes in all, fails the write or
// writes only what fits.
class LimitedDevice : public itemfile::OutputDevice {
public:
    enum class Past { Fail, WriteShort, ReportMore };

    explicit LimitedDevice(long long limit = 1 << 30, Past past = Past::Fail)
        : m_limit(limit), m_past(past) {}

    long long write(const char* data, std::size_t size) override {
        calls.push_back(static_cast<long long>(size));
        const long long room = m_limit - bytes.size();
        const long long wanted = static_cast<long long>(size);
        if (wanted <= room) {
            bytes.append(data, static_cast<qsizetype>(size));
            return wanted;
        }
        switch (m_past) {
            case Past::Fail:
                return -1;
            case Past::WriteShort:
                bytes.append(data, static_cast<qsizetype>(room));
                return room;
            case Past::ReportMore:
                bytes.append(data, static_cast<qsizetype>(size));
                return wanted + 1;
        }
        return -1;
    }

    QByteArray bytes;
    std::vector<long long> calls;

private:
    long long m_limit;
    Past m_past;
};

const std::vector<itemfile::ExportColumn> kColumns = {
    {u"名"_s, FieldKind::WideString}, {u"价"_s, FieldKind::Integer}, {u"描"_s, FieldKind::Memo}};

QByteArray tabLine(const QString& text) {
    return testsupport::utf16LeBytes(text);
}

// ---------------------------------------------------------------- value rules

struct LineCase {
    const char* name;
    std::vector<QVariant> values;
    QByteArray tab;
    QByteArray comma;
    QByteArray quotedComma;
};

class WriterLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(WriterLineTest, RecordLineInEveryVariant) {
    const LineCase& c = GetParam();
    for (const auto& [variant, expected] :
         {std::pair{ExportVariant::Tab, c.tab}, std::pair{ExportVariant::Comma, c.comma},
          std::pair{ExportVariant::QuotedComma, c.quotedComma}}) {
        LimitedDevice device;
        ItemFileWriter writer(device, variant, kColumns);
        writer.addRecord(c.values);
        writer.flush();
        EXPECT_EQ(device.bytes, expected) << "variant " << static_cast<int>(variant);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, WriterLineTest,
    testing::Values(
        LineCase{"CommaAndQuote",
                 {u"a,b"_s, 5LL, u"q\"x"_s},
                 tabLine(u"\"a,b\"\t5\t\"q\"x\"\t\r\n"_s),
                 "\"a,b\",5,q\"x\r\n",
                 "\"a,b\",5,\"q\"x\"\r\n"},
        LineCase{"Nulls",
                 {QVariant(), QVariant(), QVariant()},
                 tabLine(u"\"\"\t\t\"\"\t\r\n"_s),
                 ",,\r\n",
                 "\"\",,\"\"\r\n"},
        LineCase{"EmptyTextsAndNegative",
                 {u""_s, -7LL, u""_s},
                 tabLine(u"\"\"\t-7\t\"\"\t\r\n"_s),
                 ",-7,\r\n",
                 "\"\",-7,\"\"\r\n"},
        LineCase{"LineBreaksAndTabsUnchanged",
                 {u"a\r\nb"_s, 0LL, u"c\td"_s},
                 tabLine(u"\"a\r\nb\"\t0\t\"c\td\"\t\r\n"_s),
                 "a\r\nb,0,c\td\r\n",
                 "\"a\r\nb\",0,\"c\td\"\r\n"},
        // GBK: 中 is D6 D0, € is 80; an emoji and ä have no GBK form.
        LineCase{"CharactersOutsideGbk",
                 {u"中😀"_s, 2147483647LL, u"ä€"_s},
                 tabLine(u"\"中😀\"\t2147483647\t\"ä€\"\t\r\n"_s),
                 "\xD6\xD0?,2147483647,?\x80\r\n",
                 "\"\xD6\xD0?\",2147483647,\"?\x80\"\r\n"},
        LineCase{"BrokenSurrogatesBecomeQuestionMarks",
                 {QString(QString(QChar(0xD83D)) + u"a"_s), QVariant(), QString(QChar(0xDE00))},
                 tabLine(u"\""_s + QChar(0xD83D) + u"a\"\t\t\""_s + QChar(0xDE00) + u"\"\t\r\n"_s),
                 "?a,,?\r\n",
                 "\"?a\",,\"?\"\r\n"},
        // A number column may hold text; the comma test looks at every value.
        LineCase{"TextInNumberColumn",
                 {u"x"_s, u"1,5"_s, u"y"_s},
                 tabLine(u"\"x\"\t1,5\t\"y\"\t\r\n"_s),
                 "x,\"1,5\",y\r\n",
                 "\"x\",1,5,\"y\"\r\n"}),
    [](const testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST(ItemFileWriterTest, MarkAndHeaderPerVariant) {
    LimitedDevice tab;
    ItemFileWriter tabWriter(tab, ExportVariant::Tab, kColumns);
    tabWriter.addMark();
    tabWriter.addHeader();
    tabWriter.flush();
    EXPECT_EQ(tab.bytes, QByteArray("\xFF\xFE") + tabLine(u"名\t价\t描\r\n"_s));

    LimitedDevice comma;
    ItemFileWriter commaWriter(comma, ExportVariant::Comma, kColumns);
    commaWriter.addMark();
    commaWriter.addHeader();
    commaWriter.flush();
    EXPECT_EQ(comma.bytes, QByteArray("\xC3\xFB,\xBC\xDB,\xC3\xE8\r\n"));
}

// ---------------------------------------------------------------- checked writes

TEST(ItemFileWriterTest, EachFlushIsOneWriteOfTheWholeBuffer) {
    LimitedDevice device;
    ItemFileWriter writer(device, ExportVariant::Tab, kColumns);
    writer.addMark();
    writer.addHeader();
    writer.flush();
    writer.addRecord(std::vector<QVariant>{u"a"_s, 1LL, u"b"_s});
    writer.flush();
    EXPECT_EQ(device.calls, (std::vector<long long>{2 + 14, 24}));
}

struct FailureCase {
    const char* name;
    LimitedDevice::Past past;
    const char16_t* message;
};

class WriterFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(WriterFailureTest, WriteBeyondTheLimitRaises) {
    LimitedDevice device(20, GetParam().past);
    ItemFileWriter writer(device, ExportVariant::Comma, kColumns);
    writer.addHeader();
    writer.flush();  // 11 bytes
    writer.addRecord(std::vector<QVariant>{u"abcdef"_s, 1LL, u"x"_s});
    try {
        writer.flush();
        FAIL() << "no error";
    } catch (const store::Error& error) {
        EXPECT_EQ(error.message(), QString::fromUtf16(GetParam().message));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Devices, WriterFailureTest,
    testing::Values(
        FailureCase{"Fails", LimitedDevice::Past::Fail, u"写入文件失败！"},
        FailureCase{"WritesShort", LimitedDevice::Past::WriteShort, u"写入文件大小不符！"},
        FailureCase{"ReportsMore", LimitedDevice::Past::ReportMore, u"写入文件大小不符！"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

}  // namespace
