#include <gtest/gtest.h>

#include <QStringEncoder>

#include "store/ItemTable.h"
#include "tests/cli/CliFixture.h"
#include "tests/support/ItemFileBuilder.h"
#include "tests/support/TableRows.h"
#include "tests/support/TempDir.h"

namespace {

using namespace Qt::StringLiterals;
using Rows = QList<QVariantList>;

// itemdesk-cli append, templates and weight on real files.
class MergeAndTemplateCli : public CliFixture {
protected:
    void SetUp() override { testsupport::createItemDatabase(dir, u"店铺.mdb"_s); }

    QString description(const QString& name, const QString& text) {
        const QString path = dir.path(name);
        testsupport::writeFile(path, QStringEncoder("GBK")(text));
        return path;
    }
    Rows items(const QString& columns) {
        return testsupport::queryRows(db, u"SELECT "_s + columns + u" FROM BabyData ORDER BY ID"_s);
    }

    testsupport::TempDir dir;
    QString db = dir.path(u"店铺.mdb"_s);
};

TEST_F(MergeAndTemplateCli, AppendMergesByLinkAndReportsFailuresOnStandardError) {
    testsupport::runSql(db,
                        u"INSERT INTO BabyData(宝贝名称, 宝贝链接) VALUES ('甲', 'L1'), "
                        "('乙', 'L2')"_s);
    const QString source = dir.path(u"本周.mdb"_s);
    testsupport::runSql(source,
                        u"CREATE TABLE Content(宝贝链接 TEXT(200), 宝贝名称 TEXT(150), "
                        "备注 TEXT(30));"
                        "INSERT INTO Content VALUES ('L2', '新乙', '注'), ('L9', '外', '')"_s);
    for (int round = 0; round < 2; ++round) {  // again: the column added stays single
        ASSERT_EQ(run({u"append"_s, db, source}), 0) << err().toStdString();
        EXPECT_EQ(out(), u"文件追加成功\n"_s);
        EXPECT_EQ(items(u"宝贝名称, 备注"_s), (Rows{{u"甲"_s, QVariant()}, {u"新乙"_s, u"注"_s}}));
    }

    const QString missing = dir.path(u"缺.mdb"_s);
    EXPECT_EQ(run({u"append"_s, db, missing}), 1);
    EXPECT_EQ(out(), QString());
    EXPECT_TRUE(err().contains(missing)) << err().toStdString();
    EXPECT_EQ(run({u"append"_s, db}), 1) << "SOURCE is required";
}

TEST_F(MergeAndTemplateCli, TemplatesAssignTheRecordsThatPassTheFilter) {
    testsupport::runSql(
        db,
        u"INSERT INTO BabyData(宝贝名称, 宝贝描述, 邮费模版ID) VALUES ('衣', '%1', '旧'), "
        "('鞋', '%2', '旧'), ('帽', '%3', '旧')"_s.arg(
            description(u"衣.htm"_s, u"<p>重量<b>1.5</b>千克</p>"_s),
            description(u"鞋.htm"_s, u"没有重量"_s), dir.path(u"缺.htm"_s)));

    ASSERT_EQ(run({u"templates"_s, db, u"--filter"_s, u"宝贝名称=衣"_s}), 0) << err().toStdString();
    EXPECT_EQ(out(), u"已成功生成模板\n"_s);
    EXPECT_EQ(items(u"邮费模版ID"_s), (Rows{{u"2099269"_s}, {u"旧"_s}, {u"旧"_s}}));

    // Without the filter the missing description file of 帽 stops the command; the
    // records before it keep their new ids.
    EXPECT_EQ(run({u"templates"_s, db}), 1);
    EXPECT_EQ(out(), QString());
    EXPECT_TRUE(err().contains(dir.path(u"缺.htm"_s))) << err().toStdString();
    EXPECT_EQ(items(u"邮费模版ID"_s), (Rows{{u"2099269"_s}, {QString()}, {u"旧"_s}}));
}

TEST_F(MergeAndTemplateCli, WeightPrintsTheIdOrAnEmptyLine) {
    const struct {
        QString text;
        QString output;
    } cases[] = {
        {u"约公斤xy3公斤"_s, u"2071762\n"_s},
        {u"2 KG"_s, u"\n"_s},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(run({u"weight"_s, description(u"描述.htm"_s, c.text)}), 0);
        EXPECT_EQ(out(), c.output) << c.text.toStdString();
    }
    EXPECT_EQ(run({u"weight"_s, dir.path(u"缺.htm"_s)}), 1);
    EXPECT_EQ(out(), QString());
    EXPECT_TRUE(err().contains(dir.path(u"缺.htm"_s)));
}

}  // namespace
