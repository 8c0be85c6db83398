#include <gtest/gtest.h>
#include <QStringEncoder>

#include "store/Error.h"
#include "store/ItemDatabase.h"
#include "template/TemplateAssignment.h"
#include "tests/support/ItemFileBuilder.h"
#include "tests/support/RecordingProgress.h"
#include "tests/support/TableRows.h"
#include "tests/support/TempDir.h"

namespace {

// Records 甲, 乙, 丙 with ID 1 to 3 and the old id "旧" each; 甲's description
// weighs 2 kilograms, 乙's has no weight, 丙's names a missing file.
class TemplateAssignment : public testing::Test {
protected:
    void SetUp() override {
        path = testsupport::createItemDatabase(dir);
        QStringEncoder gbk("GBK");
        testsupport::writeFile(dir.path(QStringLiteral("甲.htm")),
                               gbk(u"<p>净重：<b>2</b>千克</p>"));
        testsupport::writeFile(dir.path(QStringLiteral("乙.htm")), gbk(u"<p>没有重量</p>"));
        QString sql;
        for (const QString& name :
             {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")}) {
            sql += QStringLiteral(
                       "INSERT INTO BabyData(宝贝名称, 宝贝描述, 邮费模版ID) VALUES ('%1', '%2', "
                       "'旧');")
                       .arg(name, dir.path(name + QStringLiteral(".htm")));
        }
        testsupport::runSql(path, sql);
        database.connectFile(path);
        database.openItemQuery();
    }

    QList<QVariantList> ids() {
        return testsupport::queryRows(
            path, QStringLiteral("SELECT 邮费模版ID FROM BabyData ORDER BY ID"));
    }
    void assign() {
        postage::assignPostageTemplates(database.itemQuery, progress, [this] { ++successes; });
    }

    testsupport::TempDir dir;
    QString path;
    store::ItemDatabase database;
    testsupport::RecordingProgress progress;
    int successes = 0;
};

TEST_F(TemplateAssignment, VisitsTheRecordsThatPassTheFilter) {
    database.itemQuery.setFilter(QStringLiteral("[宝贝名称] <> '丙'"));
    database.itemQuery.setFiltered(true);
    assign();
    EXPECT_EQ(ids(), (QList<QVariantList>{
                         {QStringLiteral("2099290")}, {QString()}, {QStringLiteral("旧")}}));
    EXPECT_EQ(progress.counts(), QStringLiteral("当前/总数：2/2"));
    EXPECT_EQ(successes, 1);
    EXPECT_TRUE(database.itemQuery.eof());
}

TEST_F(TemplateAssignment, StopsAtAnUnreadableFileKeepingWhatWasPosted) {
    database.itemQuery.setFilter(QStringLiteral("[宝贝名称] <> '乙'"));
    database.itemQuery.setFiltered(true);
    database.itemQuery.setSort(QStringLiteral("[宝贝名称] DESC"));  // 甲 before 丙
    EXPECT_THROW(assign(), store::Error);
    EXPECT_EQ(ids(),
              (QList<QVariantList>{
                  {QStringLiteral("2099290")}, {QStringLiteral("旧")}, {QStringLiteral("旧")}}));
    EXPECT_EQ(database.itemQuery.state(), store::DataSetState::Edit);
    EXPECT_EQ(database.itemQuery.fieldByName(QStringLiteral("宝贝名称")).asText(),
              QStringLiteral("丙"));
    EXPECT_EQ(successes, 0);
}

TEST_F(TemplateAssignment, OnAnEmptyQueryReadsNoFileAndSucceeds) {
    database.itemQuery.setFilter(QStringLiteral("[宝贝名称] = '无'"));
    database.itemQuery.setFiltered(true);
    assign();
    EXPECT_EQ(successes, 1);
    EXPECT_EQ(progress.maximum(), 0);
}

}  // namespace
