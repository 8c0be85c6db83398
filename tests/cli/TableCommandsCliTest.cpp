#include <sstream>

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>

#include "tests/cli/CliFixture.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempDir.h"

namespace {

using namespace Qt::StringLiterals;

class TableCommandsCli : public CliFixture {
protected:
    QStringList dumpLines(const QStringList& extra = {}) {
        EXPECT_EQ(run(QStringList{u"dump"_s, path} + extra), 0) << err().toStdString();
        QStringList lines = out().split(u'\n');
        lines.removeLast();
        return lines;
    }

    testsupport::TempDir dir;
    QString path = dir.path(u"店铺 数据.mdb"_s);
};

TEST_F(TableCommandsCli, CreateMakesAnEmptyItemTableAndRefusesAnExistingFile) {
    ASSERT_EQ(run({u"create"_s, path}), 0);
    ASSERT_EQ(run({u"count"_s, path}), 0);
    EXPECT_EQ(out(), u"0\n"_s);
    EXPECT_EQ(run({u"create"_s, path}), 1);
    EXPECT_TRUE(err().contains(path));
}

TEST_F(TableCommandsCli, DumpWritesNamesThenOneEscapedLinePerRecord) {
    ASSERT_EQ(run({u"create"_s, path}), 0);
    testsupport::runSql(path,
                        uR"(INSERT INTO BabyData(宝贝名称, 宝贝价格, 宝贝描述) VALUES
        ('tab	and\back', -7, 'line' || char(13) || char(10) || 'two'), (NULL, NULL, ''))"_s);
    const QStringList lines = dumpLines();
    ASSERT_EQ(lines.size(), 3);
    const QStringList names = lines[0].split(u'\t');
    ASSERT_EQ(names.size(), 47);
    EXPECT_EQ(names.front(), u"宝贝名称"_s);
    EXPECT_EQ(names.back(), u"ID"_s);
    const QStringList first = lines[1].split(u'\t');
    ASSERT_EQ(first.size(), 47);
    EXPECT_EQ(first[0], u"tab\\tand\\\\back"_s);
    EXPECT_EQ(first[7], u"-7"_s);
    EXPECT_EQ(first[24], u"line\\r\\ntwo"_s);
    EXPECT_EQ(first[46], u"1"_s);
    const QStringList second = lines[2].split(u'\t');
    EXPECT_EQ(second[0], u"\\N"_s);
    EXPECT_EQ(second[7], u"\\N"_s);
    EXPECT_EQ(second[24], QString()) << "an empty text is no null";
}

TEST_F(TableCommandsCli, DemoThenDedupeThenClear) {
    ASSERT_EQ(run({u"demo"_s, path, u"50"_s}), 0);
    testsupport::runSql(
        path, u"INSERT INTO BabyData(宝贝名称) SELECT 宝贝名称 FROM BabyData WHERE ID <= 5"_s);
    ASSERT_EQ(run({u"dedupe"_s, path}), 0);
    EXPECT_EQ(out(), u"操作成功，已将重复记录删除\n"_s);
    ASSERT_EQ(run({u"count"_s, path}), 0);
    EXPECT_EQ(out(), u"50\n"_s);
    ASSERT_EQ(run({u"clear"_s, path}), 0);
    ASSERT_EQ(run({u"count"_s, path}), 0);
    EXPECT_EQ(out(), u"0\n"_s);
}

TEST_F(TableCommandsCli, DemoWhoseCommitFailsExitsOneAndLeavesNoRecords) {
    int status = 0;
    {
        const testsupport::FileSizeLimit fullDisk(64 * 1024);
        status = run({u"demo"_s, path, u"2000"_s});
    }
    EXPECT_EQ(status, 1);
    EXPECT_EQ(out(), QString());
    EXPECT_FALSE(err().isEmpty());
    ASSERT_EQ(run({u"count"_s, path}), 0) << err().toStdString();
    EXPECT_EQ(out(), u"0\n"_s);
}

TEST_F(TableCommandsCli, WhereOptionNarrowsCountAndDump) {
    ASSERT_EQ(run({u"create"_s, path}), 0);
    testsupport::runSql(
        path,
        u"INSERT INTO BabyData(宝贝名称, 宝贝价格) VALUES ('红色 T恤', 10), ('蓝色 T恤', 20), ('帽子', 30)"_s);
    ASSERT_EQ(
        run({u"count"_s, path, u"--where"_s, u"[宝贝名称] Like '*t恤' AND [宝贝价格] > 15"_s}), 0);
    EXPECT_EQ(out(), u"1\n"_s);
    EXPECT_EQ(dumpLines({u"--where"_s, u"[宝贝价格] >= 20"_s}).size(), 3);
}

struct Failure {
    QStringList arguments;
    const char16_t* messagePart;
};

class TableCommandsCliFailure : public TableCommandsCli,
                                public testing::WithParamInterface<Failure> {};

TEST_P(TableCommandsCliFailure, ExitsOneWithTheMessageOnStandardError) {
    QFile notADatabase(dir.path(u"text.mdb"_s));
    ASSERT_TRUE(notADatabase.open(QIODevice::WriteOnly));
    notADatabase.write(QByteArray(2048, 'x'));
    notADatabase.close();
    ASSERT_EQ(run({u"create"_s, path}), 0);

    QStringList arguments;
    for (const QString& argument : GetParam().arguments)
        arguments << (argument == u"$DB"_s     ? path
                      : argument == u"$TEXT"_s ? notADatabase.fileName()
                                               : argument);
    EXPECT_EQ(run(arguments), 1);
    EXPECT_TRUE(err().contains(QString::fromUtf16(GetParam().messagePart))) << err().toStdString();
    EXPECT_TRUE(out().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, TableCommandsCliFailure,
    testing::Values(Failure{{u"count"_s, u"missing.mdb"_s}, u"数据库文件不存在"},
                    Failure{{u"count"_s, u"$TEXT"_s}, u"file is not a database"},
                    Failure{{u"dedupe"_s, u"$TEXT"_s}, u"file is not a database"},
                    Failure{{u"count"_s, u"$DB"_s, u"--where"_s, u"[nope] = 1"_s}, u"[nope] = 1"},
                    Failure{{u"count"_s, u"$DB"_s, u"--sort"_s, u"x"_s}, u"unknown option"},
                    Failure{{u"demo"_s, u"$DB"_s, u"ten"_s}, u"usage"},
                    Failure{{u"frobnicate"_s}, u"unknown command"}));

}  // namespace
