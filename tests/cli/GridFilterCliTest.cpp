#include <gtest/gtest.h>

#include <QStringList>

#include "store/Locale.h"
#include "tests/cli/CliFixture.h"
#include "tests/support/TempDir.h"

namespace {

using namespace Qt::StringLiterals;

// itemdesk-cli's --filter COLUMN=TEXT over a small item table.
class GridFilterCli : public CliFixture {
protected:
    void SetUp() override {
        ASSERT_EQ(run({u"create"_s, path}), 0);
        testsupport::runSql(path,
                            uR"(
            INSERT INTO BabyData(宝贝名称, 加价幅度, 视频, 宝贝链接) VALUES
                ('abc', 50, 'abc1', 'http://a'), ('abc', 5, 'x', 'http://b'),
                ('O''Neil', 20, 'abc2', NULL), ('xyz', 150, NULL, 'http://d');
        )"_s);
    }
    void TearDown() override { store::Locale::setCurrent(store::Locale()); }

    testsupport::TempDir dir;
    QString path = dir.path(u"Data.mdb"_s);
};

TEST_F(GridFilterCli, FilterCellsNarrowTheRecordsAsTheGridDoes) {
    struct Case {
        QStringList options;
        QString filterString;
        QString count;
    };
    const Case cases[] = {
        // Pieces follow the grid's column order, whatever the order of the options.
        {{u"--filter"_s, u"加价幅度=>10 AND <100"_s, u"--filter"_s, u"宝贝名称=abc"_s},
         u" ([宝贝名称] = 'abc') AND  [加价幅度] > 10 AND [加价幅度] < 100 \n"_s,
         u"1\n"_s},
        {{u"--filter"_s, u"视频=abc*"_s}, u" [视频] Like 'abc*' \n"_s, u"2\n"_s},
        {{u"--filter"_s, u"宝贝名称=O'Neil"_s}, u" ([宝贝名称] = 'O''Neil') \n"_s, u"1\n"_s},
        {{u"--filter"_s, u"宝贝链接=http://d"_s}, u" ([ID] = '4') \n"_s, u"1\n"_s},
        {{u"--filter"_s, u"宝贝链接=http://z"_s},
         u" ([ID] IS NULL AND [ID] IS NOT NULL) \n"_s,
         u"0\n"_s},
        {{u"--filter"_s, u"加价幅度=1,5"_s, u"--decimal-separator"_s, u","_s},
         u" [加价幅度] = 1,5 \n"_s,
         u"0\n"_s},
        {{u"--filter"_s, u"视频="_s}, u"\n"_s, u"4\n"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(u' ').toStdString());
        ASSERT_EQ(run(QStringList{u"filter-string"_s, path} + c.options), 0) << err().toStdString();
        EXPECT_EQ(out(), c.filterString);
        ASSERT_EQ(run(QStringList{u"count"_s, path} + c.options), 0) << err().toStdString();
        EXPECT_EQ(out(), c.count);
        store::Locale::setCurrent(store::Locale());
    }
}

TEST_F(GridFilterCli, BadFiltersExitOneWithTheirMessage) {
    struct Case {
        QStringList arguments;
        QString message;
    };
    const Case cases[] = {
        {{u"count"_s, path, u"--filter"_s, u"视频='abc"_s}, u"Quote is absent: 'abc"_s},
        {{u"dump"_s, path, u"--filter"_s, u"加价幅度=>ten"_s},
         u"'ten' is not a valid floating point value"_s},
        {{u"filter-string"_s, path, u"--filter"_s, u"加价幅度=In (1,2"_s},
         u"')' expected: In (1,2"_s},
        {{u"count"_s, path, u"--filter"_s, u"视频=a"_s, u"--where"_s, u"[ID] > 1"_s},
         u"--where and --filter cannot be used together"_s},
        {{u"count"_s, path, u"--filter"_s, u"没有=a"_s}, u"no grid column shows the field 没有"_s},
        {{u"count"_s, path, u"--filter"_s, u"视频"_s}, u"--filter takes COLUMN=TEXT"_s},
        {{u"count"_s, path, u"--filter"_s, u"视频=a"_s, u"--decimal-separator"_s, u""_s},
         u"--decimal-separator takes one character"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        EXPECT_EQ(run(c.arguments), 1);
        EXPECT_TRUE(err().contains(c.message)) << err().toStdString();
        EXPECT_TRUE(out().isEmpty());
    }
}

}  // namespace
