#include <fcntl.h>
#include <unistd.h>

#include <sys/stat.h>

#include <chrono>
#include <optional>
#include <thread>

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <QStringList>

#include "itemfile/ItemFileImport.h"
#include "store/Error.h"
#include "store/ItemDatabase.h"
#include "store/ItemTable.h"
#include "store/Locale.h"
#include "tests/support/ItemFileBuilder.h"
#include "tests/support/RecordingProgress.h"
#include "tests/support/TableRows.h"
#include "tests/support/TempDir.h"

namespace {

using namespace Qt::StringLiterals;
using itemfile::ImportResult;
using itemfile::ReaderLimits;
using testsupport::ItemFileBuilder;

constexpr int kName = 0;   // 宝贝名称, text(150)
constexpr int kPrice = 7;  // 宝贝价格, integer
constexpr int kMemo = 24;  // 宝贝描述, memo
constexpr int kTime = 22;  // 发布时间, text(40)
constexpr int kLink = 45;  // 宝贝链接, text(200)

const QString kNoMark = u"不是UTF-16格式的宝贝文件！"_s;

// The 46 values of a record line as the export writes them: text in quotes, integers plain.
QStringList recordValues(int n) {
    QStringList values;
    for (int i = 0; i < store::kItemIdField; ++i) {
        const store::FieldDef& field = store::itemFields()[static_cast<std::size_t>(i)];
        values << (store::isTextKind(field.kind) ? u'"' + field.name + QString::number(n) + u'"'
                                                 : QString::number(n * 100 + i));
    }
    return values;
}

class ImportTest : public testing::Test {
protected:
    void SetUp() override {
        store::Locale::setCurrent(store::Locale{});
        m_database.connectFile(m_dbPath);
        m_database.openItemQuery();
    }

    ImportResult import(const QByteArray& bytes, int columnCount = 40, ReaderLimits limits = {}) {
        testsupport::writeFile(m_filePath, bytes);
        return itemfile::importItemFile(
            m_filePath, m_database.itemQuery, columnCount, m_progress,
            [this] { m_successShown = true; }, limits);
    }

    // The message of the error the import ends with; empty when it succeeds.
    QString importError(const QByteArray& bytes, int columnCount = 40) {
        try {
            import(bytes, columnCount);
        } catch (const store::Error& error) {
            return error.message();
        }
        return {};
    }

    QList<QVariantList> rows() {
        return testsupport::queryRows(m_dbPath, u"SELECT * FROM BabyData ORDER BY ID"_s);
    }
    QVariant cell(int row, int field) { return rows().value(row).value(field); }

    testsupport::TempDir m_dir;
    QString m_dbPath = testsupport::createItemDatabase(m_dir);
    QString m_filePath = m_dir.path(u"items.csv"_s);
    store::ItemDatabase m_database;
    testsupport::RecordingProgress m_progress;
    bool m_successShown = false;
};

// ---------------------------------------------------------------- the byte-order mark

struct MarkCase {
    const char* name;
    QByteArray bytes;
};

class ImportMarkTest : public ImportTest, public testing::WithParamInterface<MarkCase> {};

TEST_P(ImportMarkTest, FileWithoutMarkImportsNothingAndSaysSo) {
    EXPECT_EQ(importError(GetParam().bytes), kNoMark);
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_FALSE(m_successShown);
    EXPECT_EQ(m_progress.events(), (QStringList{u"show"_s, u"close"_s}));
}

const QString kOneRecord = u"名称\t价格\r\n\"中文\"\t12\t\r\n"_s;

INSTANTIATE_TEST_SUITE_P(
    Encodings, ImportMarkTest,
    testing::Values(MarkCase{"Empty", QByteArray()}, MarkCase{"OneByte", QByteArray("\xFF", 1)},
                    MarkCase{"Utf16LeWithoutMark", testsupport::utf16LeBytes(kOneRecord)},
                    MarkCase{"Utf16BigEndian",
                             QByteArray("\xFE\xFF", 2) + testsupport::utf16BeBytes(kOneRecord)},
                    MarkCase{"Utf8WithMark", QByteArray("\xEF\xBB\xBF") + kOneRecord.toUtf8()},
                    MarkCase{"Utf8", kOneRecord.toUtf8()},
                    // 名称 TAB 价格 CR LF "中文" TAB 12 TAB CR LF in GBK
                    MarkCase{"Gbk", QByteArray("\xC3\xFB\xB3\xC6\t\xBC\xDB\xB8\xF1\r\n"
                                               "\"\xD6\xD0\xCE\xC4\"\t12\t\r\n")}),
    [](const testing::TestParamInfo<MarkCase>& info) { return std::string(info.param.name); });

TEST_F(ImportTest, MarkAloneImportsNothingAndSucceeds) {
    const ImportResult result = import(QByteArray("\xFF\xFE", 2));
    EXPECT_EQ(result.recordCount, 0);
    EXPECT_TRUE(m_successShown);
    EXPECT_TRUE(rows().isEmpty());
}

TEST_F(ImportTest, MissingFileRaisesTheFileErrorAndClosesTheProgressWindow) {
    try {
        itemfile::importItemFile(m_dir.path(u"none.csv"_s), m_database.itemQuery, 40, m_progress);
        FAIL() << "no error";
    } catch (const store::Error& error) {
        EXPECT_TRUE(error.message().startsWith(u"Cannot open file"_s)) << error.what();
    }
    EXPECT_EQ(m_progress.events(), (QStringList{u"show"_s, u"close"_s}));
}

TEST_F(ImportTest, FileBeingWrittenByAnotherProcessIsNotRead) {
    ItemFileBuilder().header().record(recordValues(1)).writeTo(m_filePath);
    const int fd = ::open(QFile::encodeName(m_filePath).constData(), O_RDWR);
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &lock), 0);
    try {
        itemfile::importItemFile(m_filePath, m_database.itemQuery, 40, m_progress);
        ADD_FAILURE() << "no error";
    } catch (const store::Error& error) {
        EXPECT_TRUE(error.message().startsWith(u"Cannot open file"_s)) << error.what();
    }
    ::close(fd);
    EXPECT_TRUE(rows().isEmpty());
}

TEST_F(ImportTest, FifoIsRefusedInsteadOfWaitedFor) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(m_filePath).constData(), 0666), 0);
    // A writer that holds the FIFO open for a while, so that a reader that
    // does not refuse it would import what it holds.
    const int writer = ::open(QFile::encodeName(m_filePath).constData(), O_RDWR | O_NONBLOCK);
    const QByteArray bytes = ItemFileBuilder().header().record(recordValues(1)).bytes();
    ASSERT_EQ(::write(writer, bytes.constData(), bytes.size()), bytes.size());
    std::thread closer([writer] {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        ::close(writer);
    });
    try {
        itemfile::importItemFile(m_filePath, m_database.itemQuery, 40, m_progress);
        ADD_FAILURE() << "no error";
    } catch (const store::Error& error) {
        EXPECT_EQ(error.message(),
                  u"Cannot open file \""_s + m_filePath + u"\". Not a regular file"_s);
    }
    closer.join();
    EXPECT_TRUE(rows().isEmpty());
}

// ---------------------------------------------------------------- records and fields

TEST_F(ImportTest, ExportedFileGivesOneRecordPerLineWithFieldsInPlace) {
    QStringList second = recordValues(2);
    second[kName] = u"\"\""_s;
    second[kLink] = u"\"\""_s;
    second[kPrice] = QString();
    const ImportResult result =
        import(ItemFileBuilder().header().record(recordValues(1)).record(second).bytes());

    EXPECT_EQ(result.recordCount, 2);
    EXPECT_EQ(result.postedCount, 2);
    EXPECT_TRUE(m_successShown);
    const QList<QVariantList> table = rows();
    ASSERT_EQ(table.size(), 2);
    EXPECT_EQ(table[0][kName], u"宝贝名称1"_s);
    EXPECT_EQ(table[0][kPrice], 107);
    EXPECT_EQ(table[0][kLink], u"宝贝链接1"_s);
    EXPECT_EQ(table[1][kName], u""_s);  // two quotes give an empty text, not null
    EXPECT_FALSE(table[1][kName].isNull());
    EXPECT_TRUE(table[1][kPrice].isNull());
    EXPECT_EQ(table[1][store::kItemIdField], table[0][store::kItemIdField].toLongLong() + 1);
    EXPECT_EQ(m_database.itemQuery.state(), store::DataSetState::Browse);
    EXPECT_EQ(m_progress.events(), (QStringList{u"show"_s, u"close"_s}));
}

TEST_F(ImportTest, TrailingEmptyLinesAddNoRecordAndOddLastByteIsDropped) {
    QByteArray bytes =
        ItemFileBuilder().header().record(recordValues(1)).text(u"\r\n\r\n"_s).bytes();
    bytes.append('\x41');
    const ImportResult result = import(bytes);
    EXPECT_EQ(result.recordCount, 2);
    EXPECT_EQ(result.postedCount, 1);
    EXPECT_EQ(rows().size(), 1);
}

TEST_F(ImportTest, LastLineWithoutLineEndKeepsItsLastValue) {
    import(ItemFileBuilder().header().text(u"a\tb\tc"_s).bytes());
    EXPECT_EQ(cell(0, 0), u"a"_s);
    EXPECT_EQ(cell(0, 1), u"b"_s);
    EXPECT_EQ(cell(0, 2), u"c"_s);
}

TEST_F(ImportTest, TextIsCutToFieldSizeAndMemoKeepsEveryCharacter) {
    QStringList values = recordValues(1);
    values[kName] = QString(151, u'名');
    values[kTime] = u"😀"_s + QString(40, u't');
    values[kMemo] = u"\"ä😀€中\""_s;
    import(ItemFileBuilder().header().record(values).bytes());
    EXPECT_EQ(cell(0, kName), QString(150, u'名'));
    EXPECT_EQ(cell(0, kTime).toString().size(), 40);
    EXPECT_EQ(cell(0, kMemo), u"ä😀€中"_s);
}

struct IntegerCase {
    const char16_t* text;
    std::optional<qlonglong> value;
};

class ImportIntegerTest : public ImportTest, public testing::WithParamInterface<IntegerCase> {};

TEST_P(ImportIntegerTest, ParsesToNearestEvenOrNull) {
    QStringList values = recordValues(1);
    values[kPrice] = QString::fromUtf16(GetParam().text);
    import(ItemFileBuilder().header().record(values).bytes());
    const QVariant price = cell(0, kPrice);
    if (GetParam().value) {
        EXPECT_EQ(price, *GetParam().value);
    } else {
        EXPECT_TRUE(price.isNull()) << price.toString().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ImportIntegerTest,
    testing::Values(IntegerCase{u"12", 12}, IntegerCase{u"\"12\"", 12}, IntegerCase{u"12.5", 12},
                    IntegerCase{u"13.5", 14}, IntegerCase{u"-2.5", -2},
                    IntegerCase{u"12.50001", 12}, IntegerCase{u"12.50006", 13},
                    IntegerCase{u" 7 ", 7}, IntegerCase{u"2147483647", 2147483647LL},
                    IntegerCase{u"-2147483648", -2147483648LL}, IntegerCase{u"abc", std::nullopt},
                    IntegerCase{u"", std::nullopt}, IntegerCase{u"\"\"", std::nullopt},
                    IntegerCase{u"12,5", std::nullopt}, IntegerCase{u"1e3", std::nullopt}));

TEST_F(ImportTest, IntegersUseTheSystemDecimalSeparator) {
    store::Locale comma;
    comma.decimalSeparator = u',';
    store::Locale::setCurrent(comma);
    QStringList values = recordValues(1);
    values[kPrice] = u"13,5"_s;
    values[kPrice + 1] = u"12.5"_s;
    import(ItemFileBuilder().header().record(values).bytes());
    store::Locale::setCurrent(store::Locale{});
    EXPECT_EQ(cell(0, kPrice), 14);
    EXPECT_TRUE(cell(0, kPrice + 1).isNull());
}

// ---------------------------------------------------------------- failures keep what was posted

class ImportRangeTest : public ImportTest, public testing::WithParamInterface<const char16_t*> {};

TEST_P(ImportRangeTest, NumberOutsideIntegerRangeStopsNamingValueAndField) {
    QStringList bad = recordValues(2);
    bad[kPrice] = QString::fromUtf16(GetParam());
    const QString message = importError(ItemFileBuilder()
                                            .header()
                                            .record(recordValues(1))
                                            .record(bad)
                                            .record(recordValues(3))
                                            .bytes());
    EXPECT_TRUE(message.contains(QString::fromUtf16(GetParam()))) << message.toStdString();
    EXPECT_TRUE(message.contains(u"宝贝价格"_s)) << message.toStdString();
    EXPECT_EQ(rows().size(), 1);
    EXPECT_FALSE(m_successShown);
    EXPECT_EQ(m_progress.events(), (QStringList{u"show"_s, u"close"_s}));
}

INSTANTIATE_TEST_SUITE_P(Texts, ImportRangeTest,
                         testing::Values(u"2147483648", u"-2147483649", u"2147483647.5",
                                         u"99999999999999999999", u"-123456789012345.5"));

TEST_F(ImportTest, ShortLinesRunIntoTheFortyEighthField) {
    // Lines of 39 fields with 40 columns: the second line continues the first.
    QStringList short39 = recordValues(2).mid(0, 39);
    const QString message = importError(
        ItemFileBuilder().header().record(recordValues(1)).record(short39).record(short39).bytes());
    EXPECT_EQ(message, u"List index out of bounds (47)"_s);
    EXPECT_EQ(rows().size(), 1);
    // The half-filled record is cancelled: a later refresh does not post it.
    EXPECT_EQ(m_database.itemQuery.state(), store::DataSetState::Browse);
    m_database.itemQuery.requery();
    EXPECT_EQ(m_database.itemQuery.recordCount(), 1);
    EXPECT_EQ(rows().size(), 1);
}

TEST_F(ImportTest, ColumnCountAboveFieldsPutsNextLineIntoIdThenFails) {
    const QString message = importError(
        ItemFileBuilder().header().record(recordValues(1)).record(recordValues(2)).bytes(), 50);
    EXPECT_EQ(message, u"List index out of bounds (47)"_s);
    EXPECT_TRUE(rows().isEmpty());
}

TEST_F(ImportTest, RefusedPostStopsAndKeepsEarlierRecords) {
    QStringList first = recordValues(1);
    QStringList clash = recordValues(2);
    clash << u"1"_s;  // a 47th field: the ID of the first record
    const QString message = importError(
        ItemFileBuilder().header().record(first).record(clash).record(recordValues(3)).bytes(), 46);
    EXPECT_TRUE(message.contains(u"UNIQUE"_s)) << message.toStdString();
    EXPECT_EQ(rows().size(), 1);
    EXPECT_EQ(cell(0, kName), u"宝贝名称1"_s);
}

// ---------------------------------------------------------------- progress

TEST_F(ImportTest, ProgressMaximumGrowsByAThousandWhenReached) {
    ItemFileBuilder file;
    file.text(u"h\r\n"_s);
    for (int i = 1; i <= 1000; ++i) {
        file.record({QString::number(i)});
    }
    import(file.bytes(), 1);
    EXPECT_EQ(rows().size(), 1000);
    EXPECT_EQ(m_progress.position(), 1000);
    EXPECT_EQ(m_progress.maximum(), 2000);
    EXPECT_EQ(m_progress.counts(), u"当前/总数：1000/2000"_s);
}

// ---------------------------------------------------------------- chunk and window boundaries

enum class Anchor { CrLf, SurrogatePair, InsideField };

// Appends a record whose memo is sized so that the anchor straddles `position`:
// CR at position - 1 and LF at position, a surrogate pair's halves there, or
// two characters of one field there.
void appendRecordAcross(QString& text, qsizetype position, Anchor anchor, int n) {
    QStringList values = recordValues(n);
    const QString prefix = values.mid(0, kMemo).join(u'\t') + u'\t';
    const QString suffix = u'\t' + values.mid(kMemo + 1).join(u'\t') + u"\t\r\n"_s;
    const qsizetype memoStart = text.size() + prefix.size();
    QString memo;
    switch (anchor) {
        case Anchor::CrLf:
            memo = QString(position - 1 - memoStart - (suffix.size() - 2), u'x');
            break;
        case Anchor::SurrogatePair:
            memo = QString(position - 1 - memoStart, u'x') + u"😀z"_s;
            break;
        case Anchor::InsideField:
            memo = QString(position - 5 - memoStart, u'x') + QString(10, u'y');
            break;
    }
    ASSERT_GT(memo.size(), 0);
    text += prefix + memo + suffix;
}

TEST_F(ImportTest, BoundariesAtRealSizesDoNotChangeTheRecords) {
    ItemFileBuilder header;
    header.header();
    QString text = header.content();
    const qsizetype afterHeader = text.size();
    int n = 1;
    const auto filler = [&](int count) {
        for (int i = 0; i < count; ++i) {
            text += recordValues(n++).join(u'\t') + u"\t\r\n"_s;
        }
    };
    // Chunks of 500000 bytes hold 250000 characters; windows 50000 characters.
    filler(10);
    appendRecordAcross(text, afterHeader + 50000, Anchor::InsideField, n++);
    filler(3);
    appendRecordAcross(text, afterHeader + 100000, Anchor::SurrogatePair, n++);
    appendRecordAcross(text, 250000, Anchor::CrLf, n++);
    filler(5);
    appendRecordAcross(text, 300000, Anchor::SurrogatePair, n++);
    appendRecordAcross(text, 350000, Anchor::CrLf, n++);
    // One line across several windows.
    appendRecordAcross(text, 460000, Anchor::InsideField, n++);
    appendRecordAcross(text, 500000, Anchor::SurrogatePair, n++);
    filler(20);
    ASSERT_EQ(text.mid(249999, 2), u"\r\n"_s);
    ASSERT_TRUE(text[499999].isHighSurrogate());
    ASSERT_TRUE(text[500000].isLowSurrogate());
    ASSERT_GT(text.size() * 2, 1000000);
    const QByteArray bytes = ItemFileBuilder().text(text).bytes();

    const ImportResult real = import(bytes);
    const QList<QVariantList> realRows = rows();
    ASSERT_EQ(real.postedCount, n - 1);
    EXPECT_EQ(realRows.size(), n - 1);
    EXPECT_TRUE(realRows[realRows.size() - 21][kMemo].toString().endsWith(u"😀z"_s));

    for (const ReaderLimits limits :
         {ReaderLimits{static_cast<int>(bytes.size()) + 2, static_cast<int>(bytes.size())},
          ReaderLimits{30000, 7}}) {
        testsupport::runSql(m_dbPath, u"DELETE FROM BabyData"_s);
        m_database.itemQuery.requery();
        import(bytes, 40, limits);
        QList<QVariantList> again = rows();
        ASSERT_EQ(again.size(), realRows.size());
        for (qsizetype i = 0; i < again.size(); ++i) {
            again[i].removeLast();  // the IDs differ
            EXPECT_EQ(again[i], realRows[i].mid(0, store::kItemIdField)) << "record " << i;
        }
    }
}

}  // namespace
