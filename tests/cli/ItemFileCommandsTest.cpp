#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>
#include <tuple>

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <QStringList>

#include "cli/Cli.h"
#include "itemfile/FileName.h"
#include "tests/cli/CliFixture.h"
#include "store/ItemTable.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ItemFileBuilder.h"
#include "tests/support/TableRows.h"
#include "tests/support/TempDir.h"

namespace {

using namespace Qt::StringLiterals;
using testsupport::ItemFileBuilder;
using testsupport::numberedItemValues;

class ItemFileCommandsTest : public CliFixture {
protected:
    long long count() {
        return testsupport::querySingleInt(m_db, u"SELECT count(*) FROM BabyData"_s);
    }

    testsupport::TempDir m_dir;
    QString m_db = testsupport::createItemDatabase(m_dir);
    QString m_items = m_dir.path(u"items.csv"_s);
    QString m_outFile = m_dir.path(u"out"_s);
};

TEST_F(ItemFileCommandsTest, ImportReportsRecordsAdded) {
    ItemFileBuilder()
        .header()
        .record(numberedItemValues(1))
        .record(numberedItemValues(2))
        .writeTo(m_items);
    EXPECT_EQ(run({u"import"_s, m_db, m_items}), 0) << err().toStdString();
    EXPECT_EQ(out(), u"导入成功\n新增记录：2\n"_s);
    EXPECT_EQ(count(), 2);
}

TEST_F(ItemFileCommandsTest, ImportColumnsOptionJoinsShortLines) {
    ItemFileBuilder()
        .header()
        .record(numberedItemValues(1).mid(0, 20))
        .record(numberedItemValues(2).mid(0, 20))
        .writeTo(m_items);
    EXPECT_EQ(run({u"import"_s, m_db, m_items, u"--columns"_s, u"40"_s}), 0);
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(run({u"import"_s, m_db, m_items, u"--columns"_s, u"20"_s}), 0);
    EXPECT_EQ(count(), 3);
}

TEST_F(ItemFileCommandsTest, ImportFailureSaysWhatStays) {
    testsupport::writeFile(m_items, "no mark");
    EXPECT_EQ(run({u"import"_s, m_db, m_items}), 1);
    EXPECT_EQ(err(), u"不是UTF-16格式的宝贝文件！\n"_s);

    ItemFileBuilder()
        .header()
        .record(numberedItemValues(1))
        .record(numberedItemValues(2).mid(0, 39))
        .record(numberedItemValues(3).mid(0, 39))
        .writeTo(m_items);
    EXPECT_EQ(run({u"import"_s, m_db, m_items}), 1);
    EXPECT_EQ(err(), u"List index out of bounds (47)\n出错的行：4\n已导入的记录保留在表中：1\n"_s);
    EXPECT_EQ(count(), 1);
}

TEST_F(ItemFileCommandsTest, ImportWhoseCommitFailsReportsTheFailureAndNoRecordsKept) {
    ItemFileBuilder builder;
    builder.header();
    for (int n = 1; n <= 1000; ++n) {
        builder.record(numberedItemValues(n));
    }
    builder.writeTo(m_items);
    int status = 0;
    {
        const testsupport::FileSizeLimit fullDisk(64 * 1024);
        status = run({u"import"_s, m_db, m_items});
    }
    EXPECT_EQ(status, 1);
    EXPECT_EQ(out(), QString());
    EXPECT_FALSE(err().isEmpty());
    EXPECT_FALSE(err().contains(u"已导入的记录保留在表中"_s)) << err().toStdString();
    EXPECT_EQ(count(), 0);
}

TEST_F(ItemFileCommandsTest, ExportWritesTheChosenVariantToExactlyThatFile) {
    ItemFileBuilder().header().record(numberedItemValues(1)).writeTo(m_items);
    ASSERT_EQ(run({u"import"_s, m_db, m_items}), 0);
    // 宝贝名称 in GBK is B1 A6 B1 B4 C3 FB B3 C6.
    for (const auto& [option, start, value] :
         {std::tuple{"tab", QByteArray("\xFF\xFE"), testsupport::utf16LeBytes(u"\"名1\"\t1\t"_s)},
          std::tuple{"comma", QByteArray("\xB1\xA6\xB1\xB4\xC3\xFB\xB3\xC6,"),
                     QByteArray("\xC3\xFB\x31,1,")},
          std::tuple{"gb2312", QByteArray("\xB1\xA6\xB1\xB4\xC3\xFB\xB3\xC6,"),
                     QByteArray("\"\xC3\xFB\x31\",1,")}}) {
        EXPECT_EQ(run({u"export"_s, m_db, m_outFile, u"--variant"_s, QString::fromUtf8(option),
                       u"--existing"_s, u"overwrite"_s}),
                  0)
            << err().toStdString();
        EXPECT_EQ(out(), u"已导出至 "_s + m_outFile + u'\n');
        const QByteArray bytes = testsupport::readFile(m_outFile);
        EXPECT_TRUE(bytes.startsWith(start)) << option;
        EXPECT_TRUE(bytes.contains(value)) << option;
    }
    EXPECT_EQ(run({u"export"_s, m_db, m_outFile}), 1);
    EXPECT_TRUE(err().startsWith(u"文件已存在："_s + m_outFile)) << err().toStdString();
}

TEST_F(ItemFileCommandsTest, ExportRefusesAnExistingFileUnlessTold) {
    testsupport::writeFile(m_outFile, "old");
    EXPECT_EQ(run({u"export"_s, m_db, m_outFile}), 1);
    EXPECT_EQ(testsupport::readFile(m_outFile), "old");
    EXPECT_EQ(run({u"export"_s, m_db, m_outFile, u"--existing"_s, u"append"_s}), 0);
    EXPECT_EQ(testsupport::readFile(m_outFile), "old");  // an empty table adds nothing
}

TEST_F(ItemFileCommandsTest, RefusedExportFileGivesTheReasonOnASecondLine) {
    ItemFileBuilder().header().record(numberedItemValues(1)).writeTo(m_items);
    ASSERT_EQ(run({u"import"_s, m_db, m_items}), 0);
    const QString fifo = m_dir.path(u"fifo"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
    const std::vector<std::pair<QString, QString>> cases = {
        {m_db, u"The file belongs to the open item database"_s},
        {fifo, u"Not a regular file"_s},
        {m_dir.path(u"none/out.csv"_s), QString::fromLocal8Bit(std::strerror(ENOENT))}};
    for (const auto& [target, reason] : cases) {
        for (const QString& existing : {u"overwrite"_s, u"append"_s}) {
            EXPECT_EQ(run({u"export"_s, m_db, target, u"--existing"_s, existing}), 1);
            EXPECT_EQ(err(), u"打开写入文件失败！\n"_s + reason + u'\n');
        }
    }
    EXPECT_EQ(count(), 1);
}

TEST_F(ItemFileCommandsTest, ExportSuccessLineStartsAfterTheCountsLine) {
    ItemFileBuilder().header().record(numberedItemValues(1)).writeTo(m_items);
    ASSERT_EQ(run({u"import"_s, m_db, m_items}), 0);
    std::ostringstream terminal;
    cli::Console console{terminal, terminal, true};
    ASSERT_EQ(cli::runCli({u"export"_s, m_db, m_outFile}, console), 0);
    EXPECT_EQ(QString::fromStdString(terminal.str()),
              u"\r当前/总数：1/1\r当前/总数：1/1\n已导出至 "_s + m_outFile + u'\n');
}

TEST_F(ItemFileCommandsTest, FileNamesThatAreNotUtf8AreUsedAsGiven) {
    const QByteArray items = QFile::encodeName(m_dir.path(QString())) + "/\xB1\xA6.csv";
    const QByteArray exported = QFile::encodeName(m_dir.path(QString())) + "/\xFF\xFE.csv";
    ItemFileBuilder().header().record(numberedItemValues(1)).writeTo(m_items);
    ASSERT_EQ(::rename(QFile::encodeName(m_items).constData(), items.constData()), 0);
    EXPECT_EQ(run({u"import"_s, m_db, itemfile::decodeFileName(items)}), 0) << err().toStdString();
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(run({u"export"_s, m_db, itemfile::decodeFileName(exported)}), 0)
        << err().toStdString();
    EXPECT_EQ(::access(exported.constData(), F_OK), 0);
}

TEST(FileNameTest, EveryByteSequenceComesBackWhole) {
    for (const QByteArray& bytes :
         {QByteArray("plain.csv"), QByteArray("\xE5\xAE\x9D.csv"), QByteArray("\xB1\xA6"),
          QByteArray("\xFF\xFE\x80"), QByteArray("\xED\xA0\x80"), QByteArray("\xC0\xAF"),
          QByteArray("\xF0\x9F\x98\x80\xE5"), QByteArray("\xF4\x90\x80\x80")}) {
        EXPECT_EQ(itemfile::encodeFileName(itemfile::decodeFileName(bytes)), bytes)
            << bytes.toHex().constData();
    }
    EXPECT_EQ(itemfile::decodeFileName("\xE5\xAE\x9D"), u"宝"_s);
}

TEST_F(ItemFileCommandsTest, WrongOptionsAreUsageErrors) {
    const QList<QStringList> wrong = {{u"import"_s, m_db},
                                      {u"import"_s, m_db, m_items, u"--columns"_s},
                                      {u"import"_s, m_db, m_items, u"--columns"_s, u"201"_s},
                                      {u"import"_s, m_db, m_items, u"--rows"_s, u"4"_s},
                                      {u"export"_s, m_db, m_outFile, u"--variant"_s, u"utf8"_s},
                                      {u"export"_s, m_db, m_outFile, u"--existing"_s},
                                      {u"export"_s, m_db, m_outFile, u"--existing"_s, u"create"_s}};
    for (const QStringList& arguments : wrong) {
        EXPECT_EQ(run(arguments), 1) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(err().contains(u"usage: itemdesk-cli "_s + arguments[0]))
            << err().toStdString();
    }
    EXPECT_FALSE(QFile::exists(m_outFile));
}

}  // namespace
