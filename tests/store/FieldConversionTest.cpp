#include <limits>

#include <gtest/gtest.h>

#include "store/Currency.h"
#include "store/Error.h"
#include "store/ItemDatabase.h"
#include "tests/support/TempDir.h"

namespace {

using store::Currency;

struct CurrencyCase {
    const char16_t* text;
    QChar separator;
    std::optional<std::int64_t> scaled;
    std::int64_t rounded;
};

class CurrencyParse : public testing::TestWithParam<CurrencyCase> {};

TEST_P(CurrencyParse, KeepsFourPlacesAndRoundsHalfToEven) {
    const CurrencyCase& c = GetParam();
    const auto parsed = Currency::parse(QString::fromUtf16(c.text), c.separator);
    ASSERT_EQ(parsed.has_value(), c.scaled.has_value());
    if (parsed) {
        EXPECT_EQ(parsed->scaled, *c.scaled);
        EXPECT_EQ(parsed->roundedToInteger(), c.rounded);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CurrencyParse,
    testing::Values(
        CurrencyCase{u"12", u'.', 120000, 12}, CurrencyCase{u"12.5", u'.', 125000, 12},
        CurrencyCase{u"13.5", u'.', 135000, 14}, CurrencyCase{u"-2.5", u'.', -25000, -2},
        CurrencyCase{u"-3.5", u'.', -35000, -4}, CurrencyCase{u" 7 ", u'.', 70000, 7},
        CurrencyCase{u"0.00005", u'.', 0, 0}, CurrencyCase{u"0.00015", u'.', 2, 0},
        CurrencyCase{u"12,5", u',', 125000, 12}, CurrencyCase{u"12,5", u'.', std::nullopt, 0},
        CurrencyCase{u"abc", u'.', std::nullopt, 0}, CurrencyCase{u"", u'.', std::nullopt, 0},
        CurrencyCase{u"1e3", u'.', std::nullopt, 0}, CurrencyCase{u".5", u'.', 5000, 0},
        CurrencyCase{u"922337203685477.5807", u'.', std::numeric_limits<std::int64_t>::max(),
                     922337203685478},
        CurrencyCase{u"-922337203685477.5808", u'.', std::numeric_limits<std::int64_t>::min(),
                     -922337203685478},
        CurrencyCase{u"922337203685477.5808", u'.', std::nullopt, 0},
        CurrencyCase{u"-922337203685477.5809", u'.', std::nullopt, 0},
        CurrencyCase{u"922337203685477.58075", u'.', std::nullopt, 0},
        CurrencyCase{u"999999999999999", u'.', std::nullopt, 0},
        CurrencyCase{u"99999999999999999999999", u'.', std::nullopt, 0}));

class FieldRules : public testing::Test {
protected:
    void SetUp() override {
        path = testsupport::createItemDatabase(dir);
        database.connectFile(path);
        database.openItemQuery();
        query().append();
    }
    store::Query& query() { return database.itemQuery; }
    store::Field& field(const char16_t* name) {
        return query().fieldByName(QString::fromUtf16(name));
    }

    testsupport::TempDir dir;
    QString path;
    store::ItemDatabase database;
};

TEST_F(FieldRules, EmptyTextClearsAnIntegerAndOtherTextMustBeWhole) {
    store::Field& price = field(u"宝贝价格");
    price.setText(QStringLiteral("42"));
    EXPECT_EQ(price.value().toLongLong(), 42);
    price.setText(QString());
    EXPECT_TRUE(price.isNull());
    EXPECT_THROW(price.setText(QStringLiteral("4x")), store::Error);
}

TEST_F(FieldRules, CurrencyRoundsHalfToEvenIntoIntegers) {
    store::Field& price = field(u"宝贝价格");
    price.setCurrency(*Currency::parse(u"2.5", u'.'));
    EXPECT_EQ(price.asText(), QStringLiteral("2"));
    price.setCurrency(*Currency::parse(u"3.5", u'.'));
    EXPECT_EQ(price.asText(), QStringLiteral("4"));
}

TEST_F(FieldRules, IntegerOutsideThirtyTwoBitsIsRefusedNamingValueAndField) {
    try {
        field(u"宝贝价格").setCurrency(*Currency::parse(u"2147483648", u'.'));
        FAIL() << "no error";
    } catch (const store::Error& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("2147483648")));
        EXPECT_TRUE(error.message().contains(QStringLiteral("宝贝价格")));
    }
    field(u"宝贝价格").setCurrency(*Currency::parse(u"-2147483648", u'.'));
    EXPECT_EQ(field(u"宝贝价格").value().toLongLong(), -2147483648LL);
}

TEST_F(FieldRules, TextFieldKeepsAtMostItsSizeInUtf16Units) {
    const QString longName(151, QChar(u'名'));
    field(u"宝贝名称").setText(longName);
    EXPECT_EQ(field(u"宝贝名称").asText().size(), 150);
    field(u"宝贝名称").setText(QString());
    EXPECT_FALSE(field(u"宝贝名称").isNull()) << "empty text stays text";
}

TEST_F(FieldRules, MemoKeepsEveryCharacterThroughTheFile) {
    const QString text = QStringLiteral("表情😀 ∑ ĀĒ — ") + QString(5000, QChar(u'长'));
    field(u"宝贝描述").setText(text);
    field(u"宝贝名称").setText(QStringLiteral("x"));
    query().post();
    query().close();
    query().open();
    EXPECT_EQ(field(u"宝贝描述").asText(), text);
}

struct StoredText {
    const char* name;
    int field;
    std::u16string typed;
    std::u16string stored;
};

class TextKeptThroughTheFile : public FieldRules, public testing::WithParamInterface<StoredText> {};

TEST_P(TextKeptThroughTheFile, AsTheFieldShowsIt) {
    const StoredText& c = GetParam();
    query().field(c.field).setText(QString::fromStdU16String(c.typed));
    EXPECT_EQ(query().field(c.field).asText(), QString::fromStdU16String(c.stored));
    query().post();
    query().close();
    query().open();
    EXPECT_EQ(query().field(c.field).asText(), QString::fromStdU16String(c.stored));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextKeptThroughTheFile,
    testing::Values(StoredText{"LeadingFeff", 0, u"\uFEFFabc", u"\uFEFFabc"},
                    StoredText{"LeadingFffe", 0, u"\uFFFEab", u"\uFFFEab"},
                    StoredText{"LeadingFeffInAMemo", 24, u"\uFEFF说明", u"\uFEFF说明"},
                    StoredText{"LoneHighHalfKeepsItsNeighbours", 0, u"X\xD800Y", u"X\uFFFDY"},
                    StoredText{"LoneLowHalfAtTheEnd", 24, u"X\xDC00", u"X\uFFFD"},
                    // Texts are scanned for halves four units at a time.
                    StoredText{
                        "PairAcrossAScanBlockAndALoneHalfFarBehind", 24,
                        std::u16string(31, u'a') + u"😀" + std::u16string(70, u'b') + u"\xD800",
                        std::u16string(31, u'a') + u"😀" + std::u16string(70, u'b') + u"\uFFFD"},
                    StoredText{"CutBeforeAPair", 0, std::u16string(149, u'a') + u"😀",
                               std::u16string(149, u'a')},
                    StoredText{"PairThatFitsStays", 0, std::u16string(148, u'a') + u"😀",
                               std::u16string(148, u'a') + u"😀"}),
    [](const testing::TestParamInfo<StoredText>& info) { return info.param.name; });

}  // namespace
