// Generated item file texts against the reader: no crash, the same records
// however the text is cut into chunks and windows, and the same records as a
// plain line-by-line reading of the whole text.
//
// ITEMDESK_FUZZ_INPUTS sets the number of generated inputs (20000 by default,
// so that the suite stays quick), ITEMDESK_FUZZ_SECONDS runs for that long
// instead, and ITEMDESK_FUZZ_SEED sets the seed.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "itemfile/ItemFileReader.h"
#include "itemfile/RecordSink.h"
#include "itemfile/StripQuotes.h"
#include "store/Currency.h"

namespace {

using namespace Qt::StringLiterals;
using itemfile::ItemFileReader;
using itemfile::ReaderLimits;

const QString kHeader = u"名称\t价格\t描述"_s;

std::uint64_t environmentNumber(const char* name, std::uint64_t fallback) {
    bool ok = false;
    const std::uint64_t value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

class RecordingSink : public itemfile::RecordSink {
public:
    void startRecord() override { records.emplace_back(); }
    void storeField(int index, QStringView text) override {
        ASSERT_FALSE(records.empty());
        ASSERT_EQ(index, records.back().size());
        records.back() << text.toString();
        // What the import does with each field's text.
        (void)store::Currency::parse(itemfile::stripQuotes(text), u'.');
    }
    void lineHandled(int recordCount) override { lineCounts.push_back(recordCount); }

    std::vector<QStringList> records;
    std::vector<int> lineCounts;
};

// The rules read plainly over the whole text: header, lines, records, fields.
RecordingSink readPlainly(QString text, int columnCount, bool headerInFirstChunk) {
    RecordingSink sink;
    if (headerInFirstChunk) {
        text.remove(0, text.indexOf(u'\n') + 1);
    }
    QStringList lines = text.split(u'\n');
    if (lines.back().isEmpty()) {
        lines.removeLast();
    } else {
        lines.back() += u'\r';
    }
    QString record;
    int fieldIndex = 0;
    int recordCount = 0;
    for (QString line : lines) {
        QString bare = line.startsWith(QChar(0xFEFF)) ? line.mid(1) : line;
        if (bare.endsWith(u'\r')) {
            bare.chop(1);
        }
        if (bare == kHeader) {
            continue;
        }
        if (recordCount == 0 || fieldIndex >= columnCount) {
            sink.startRecord();
            ++recordCount;
            fieldIndex = 0;
            record = line;
        } else {
            record += line;
        }
        qsizetype end = record.indexOf(u'\t');
        while (end >= 0) {
            sink.storeField(fieldIndex++, QStringView(record).first(end));
            record.remove(0, end + 1);
            end = record.indexOf(u'\t');
            if (end < 0) {
                end = record.indexOf(u'\r');
                if (end == 0) {
                    end = -1;
                }
            }
        }
        sink.lineHandled(recordCount);
    }
    return sink;
}

class Generator {
public:
    explicit Generator(std::uint64_t seed) : m_random(seed) {}

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(m_random); }

    // Short runs of the characters that matter to the reader, now and then a
    // header line, a mark, a lone surrogate half or any code unit.
    QString text() {
        static const QString pieces[] = {u"a"_s,
                                         u"bc"_s,
                                         u"\t"_s,
                                         u"\t"_s,
                                         u"\r"_s,
                                         u"\n"_s,
                                         u"\r\n"_s,
                                         u"\""_s,
                                         u"\"\""_s,
                                         u"12"_s,
                                         u"-3.5"_s,
                                         u"中文"_s,
                                         u"😀"_s,
                                         u" "_s,
                                         u"\t\r\n"_s,
                                         u"."_s,
                                         u"922337203685477.5808"_s,
                                         u"0000"_s};
        QString text;
        const int length = below(4) == 0 ? below(400) : below(60);
        for (int i = 0; i < length; ++i) {
            switch (below(40)) {
                case 0:
                    text += kHeader + u"\r\n"_s;
                    break;
                case 1:
                    text += QChar(0xFEFF);
                    break;
                case 2:
                    text += QChar(static_cast<char16_t>(0xD800 + below(0x800)));
                    break;
                case 3:
                    text += QChar(static_cast<char16_t>(below(0x10000)));
                    break;
                default:
                    text += pieces[below(static_cast<int>(std::size(pieces)))];
            }
        }
        return text;
    }

private:
    std::mt19937_64 m_random;
};

TEST(ItemFileReaderFuzzTest, GeneratedTextsGiveTheRecordsOfAPlainReading) {
    const std::uint64_t seed = environmentNumber("ITEMDESK_FUZZ_SEED", 20261209);
    const std::uint64_t seconds = environmentNumber("ITEMDESK_FUZZ_SECONDS", 0);
    const std::uint64_t inputs = environmentNumber(
        "ITEMDESK_FUZZ_INPUTS", seconds > 0 ? std::numeric_limits<std::uint64_t>::max() : 20000);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    Generator generate(seed);
    std::uint64_t input = 0;
    for (; input < inputs; ++input) {
        if (seconds > 0 && input % 1000 == 0 && std::chrono::steady_clock::now() > deadline) {
            break;
        }
        const QString text = generate.text();
        const int columnCount = 1 + generate.below(50);
        const int chunkChars = 1 + generate.below(std::max<int>(2, text.size() + 1));
        const ReaderLimits limits{chunkChars * 2, 1 + generate.below(chunkChars + 1)};

        RecordingSink sink;
        ItemFileReader reader(sink, columnCount, limits);
        reader.skipRepeatedHeader(kHeader);
        for (qsizetype start = 0; start < text.size(); start += chunkChars) {
            reader.addChunk(QStringView(text).sliced(
                start, std::min<qsizetype>(chunkChars, text.size() - start)));
        }
        reader.finish();

        const bool headerInFirstChunk =
            text.first(std::min<qsizetype>(chunkChars, text.size())).contains(u'\n');
        const RecordingSink plain = readPlainly(text, columnCount, headerInFirstChunk);
        ASSERT_EQ(sink.records, plain.records)
            << "seed " << seed << ", input " << input << ", columns " << columnCount << ", chunk "
            << chunkChars << ", window " << limits.windowChars << ": "
            << text.toUtf8().toPercentEncoding().constData();
        ASSERT_EQ(sink.lineCounts, plain.lineCounts) << "seed " << seed << ", input " << input;
        ASSERT_EQ(reader.recordCount(), static_cast<int>(plain.records.size()));
    }
    std::printf("%llu generated inputs, seed %llu\n", static_cast<unsigned long long>(input),
                static_cast<unsigned long long>(seed));
}

}  // namespace
