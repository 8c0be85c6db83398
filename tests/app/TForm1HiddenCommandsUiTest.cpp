#include <QPushButton>
#include <QStringEncoder>
#include <QtTest>

#include "app/DialogScript.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "grid/look/SongTiFont.h"
#include "grid/view/TDBGrid.h"
#include "store/ItemTable.h"
#include "tests/app/MainWindowOnData.h"
#include "tests/support/ItemFileBuilder.h"
#include "tests/support/TableRows.h"

using app::DialogScript;
using Rows = QList<QVariantList>;

namespace {

// Records 甲, 乙, 丙 (ID 1 to 3) with the links L1, L2, L3 and the prices 10, 20, 30.
const QString kThreeLinkedRecords = QStringLiteral(
    "INSERT INTO BabyData(宝贝名称, 宝贝价格, 宝贝链接) VALUES "
    "('甲', 10, 'L1'), ('乙', 20, 'L2'), ('丙', 30, 'L3')");

Rows tableRows(const MainWindowOnData& window, const QString& columns) {
    return testsupport::queryRows(window.dataMdb, QStringLiteral("SELECT ") + columns +
                                                      QStringLiteral(" FROM BabyData ORDER BY ID"));
}

// The long command gave everything back: no progress window, the grid on the item query.
void verifyCleanedUp(const MainWindowOnData& window) {
    QVERIFY(!app::TForm2::get().isVisible());
    QCOMPARE(window.form->dataSource().dataSet(), &window.form->database().itemQuery);
    QCOMPARE(window.form->grid().dataSet(), &window.form->database().itemQuery);
}

void verifyMessage(const DialogScript::Shown& shown, const QString& text) {
    QCOMPARE(shown.kind, DialogScript::Kind::MessageBox);
    QCOMPARE(shown.text, text);
    QCOMPARE(shown.icon, QMessageBox::NoIcon);
}

void verifyError(const DialogScript::Shown& shown, const QString& part) {
    QCOMPARE(shown.kind, DialogScript::Kind::MessageBox);
    QCOMPARE(shown.icon, QMessageBox::Critical);
    QVERIFY2(shown.text.contains(part), qPrintable(shown.text));
}

// The template command's button is never enabled, so a click cannot reach it;
// its clicked signal is what a click would send.
void clickTemplatesButton(MainWindowOnData& window) {
    QPushButton* button = window.form->button(QStringLiteral("Button6"));
    QVERIFY(button->isHidden() && !button->isEnabled());
    emit button->clicked();
}

void clickAppendButton(MainWindowOnData& window) {
    QPushButton* button = window.form->button(QStringLiteral("Button17"));
    QVERIFY(button->isHidden() && button->isEnabled());
    button->click();
}

}  // namespace

class TForm1HiddenCommandsUiTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { grid::installSongTiSubstitution(); }

    void appendMergesBySourceLinkAndCanBeRepeated();
    void failedAppendGivesEverythingBack_data();
    void failedAppendGivesEverythingBack();
    void templatesSetTheIdsOfTheRecordsTheFilterShows();
    void templatesStopAtAnUnreadableDescription();
};

void TForm1HiddenCommandsUiTest::appendMergesBySourceLinkAndCanBeRepeated() {
    MainWindowOnData window(kThreeLinkedRecords);
    const QString source = window.folder.path(QStringLiteral("本周.mdb"));
    testsupport::runSql(
        source,
        store::createItemTableSql().replace(QStringLiteral("BabyData"), QStringLiteral("Content")) +
            QStringLiteral(";ALTER TABLE Content ADD COLUMN 备注 TEXT(30);"
                           "INSERT INTO Content(ID, 宝贝名称, 宝贝价格, 宝贝链接, 备注) VALUES "
                           "(50, '新乙', 21, 'L2', '注乙'), (51, '外', 99, 'X9', '注外'), "
                           "(52, '新丙', 31, 'L3', NULL)"));
    const int columnsBefore = window.form->grid().columns().count();

    // Cancelled: nothing changes and the grid stays on the item query.
    clickAppendButton(window);
    QCOMPARE(window.script.shown().size(), std::size_t{1});
    QCOMPARE(window.script.shown()[0].kind, DialogScript::Kind::OpenFile);
    QCOMPARE(window.form->grid().columns().count(), columnsBefore);
    verifyCleanedUp(window);

    window.script.queueFileName(source);
    clickAppendButton(window);
    QCOMPARE(window.script.shown().size(), std::size_t{3});
    verifyMessage(window.script.shown()[2], QStringLiteral("文件追加成功"));
    const Rows merged{{1, QStringLiteral("甲"), 10, QVariant()},
                      {2, QStringLiteral("新乙"), 21, QStringLiteral("注乙")},
                      {3, QStringLiteral("新丙"), 31, QVariant()}};
    QCOMPARE(tableRows(window, QStringLiteral("ID, 宝贝名称, 宝贝价格, 备注")), merged);
    QCOMPARE(app::TForm2::get().countsText(), QStringLiteral("当前/总数：2/3"));
    verifyCleanedUp(window);
    // The added column has a grid column of its own, which shows nothing.
    grid::TDBGrid& grid = window.form->grid();
    QCOMPARE(grid.columns().count(), columnsBefore + 1);
    const grid::TDBGridColumn& added = grid.columns().at(columnsBefore);
    QCOMPARE(added.fieldName(), QStringLiteral("备注"));
    QCOMPARE(added.width(), 80);
    QVERIFY(added.field() == nullptr);
    QCOMPARE(window.form->database().itemQuery.recordCount(), 3);
    QVERIFY(window.form->button(QStringLiteral("Button17"))->isHidden());

    // This week's file merged again, changed: no column is added twice.
    testsupport::runSql(source, QStringLiteral("UPDATE Content SET 宝贝价格 = 22 WHERE ID = 50"));
    window.script.queueFileName(source);
    clickAppendButton(window);
    QCOMPARE(window.script.shown().size(), std::size_t{5});
    QCOMPARE(window.script.shown()[3].text, source);  // the dialog starts from the last file
    verifyMessage(window.script.shown()[4], QStringLiteral("文件追加成功"));
    QCOMPARE(tableRows(window, QStringLiteral("宝贝价格")), (Rows{{10}, {22}, {31}}));
    QCOMPARE(grid.columns().count(), columnsBefore + 1);
    verifyCleanedUp(window);
}

void TForm1HiddenCommandsUiTest::failedAppendGivesEverythingBack_data() {
    QTest::addColumn<QString>("sourceSql");
    QTest::addColumn<QString>("message");
    QTest::newRow("no table Content")
        << QStringLiteral("CREATE TABLE Andere(宝贝链接 TEXT)") << QStringLiteral("Content");
    // The second source record is refused after the first was written.
    QTest::newRow("a value the item field refuses")
        << QStringLiteral(
               "CREATE TABLE Content(宝贝链接 TEXT, 宝贝价格 TEXT);"
               "INSERT INTO Content VALUES ('L1', '11'), ('L2', '二十')")
        << QStringLiteral("'二十' is not a valid integer value");
}

void TForm1HiddenCommandsUiTest::failedAppendGivesEverythingBack() {
    QFETCH(QString, sourceSql);
    QFETCH(QString, message);
    MainWindowOnData window(kThreeLinkedRecords);
    const QString source = window.folder.path(QStringLiteral("source.mdb"));
    testsupport::runSql(source, sourceSql);

    window.script.queueFileName(source);
    clickAppendButton(window);
    QCOMPARE(window.script.shown().size(), std::size_t{2});
    verifyError(window.script.shown()[1], message);
    verifyCleanedUp(window);
    // Nothing half-set waits in the item query to be posted by the next move.
    store::Query& itemQuery = window.form->database().itemQuery;
    QCOMPARE(itemQuery.state(), store::DataSetState::Browse);
    itemQuery.last();
    const int firstPrice = message.contains(QStringLiteral("二十")) ? 11 : 10;
    QCOMPARE(tableRows(window, QStringLiteral("宝贝价格")), (Rows{{firstPrice}, {20}, {30}}));
}

void TForm1HiddenCommandsUiTest::templatesSetTheIdsOfTheRecordsTheFilterShows() {
    MainWindowOnData window{QString()};
    QStringEncoder gbk("GBK");
    const QString heavy = window.folder.path(QStringLiteral("重.htm"));
    const QString light = window.folder.path(QStringLiteral("轻.htm"));
    const QString none = window.folder.path(QStringLiteral("无.htm"));
    testsupport::writeFile(heavy, gbk(u"<p>净重：<b>3.5</b>公斤</p>\r\n"));
    testsupport::writeFile(light, gbk(u"<p>重量0.\r\n5千克</p>"));
    testsupport::writeFile(none, gbk(u"<p>没有重量</p>"));
    testsupport::runSql(
        window.dataMdb,
        QStringLiteral("INSERT INTO BabyData(宝贝名称, 宝贝描述, 邮费模版ID) VALUES "
                       "('甲', '%1', '旧'), ('乙', '%2', '旧'), ('丙', '%3', '旧'), "
                       "('丁', '%4', '旧')")
            .arg(heavy, light, none, window.folder.path(QStringLiteral("缺.htm"))));
    store::Query& itemQuery = window.form->database().itemQuery;
    itemQuery.requery();
    // The missing file of 丁 is never read: the filter hides 丁.
    itemQuery.setFilter(QStringLiteral("[宝贝名称] <> '丁'"));
    itemQuery.setFiltered(true);

    clickTemplatesButton(window);
    QCOMPARE(window.script.shown().size(), std::size_t{1});
    verifyMessage(window.script.shown()[0], QStringLiteral("已成功生成模板"));
    QCOMPARE(tableRows(window, QStringLiteral("邮费模版ID")), (Rows{{QStringLiteral("2071762")},
                                                                    {QStringLiteral("1914751")},
                                                                    {QString()},
                                                                    {QStringLiteral("旧")}}));
    QCOMPARE(app::TForm2::get().countsText(), QStringLiteral("当前/总数：3/3"));
    verifyCleanedUp(window);
}

void TForm1HiddenCommandsUiTest::templatesStopAtAnUnreadableDescription() {
    MainWindowOnData window{QString()};
    const QString first = window.folder.path(QStringLiteral("一.htm"));
    testsupport::writeFile(first, QStringEncoder("GBK")(u"2KG"));
    const QString missing = window.folder.path(QStringLiteral("缺.htm"));
    testsupport::runSql(window.dataMdb,
                        QStringLiteral("INSERT INTO BabyData(宝贝描述, 邮费模版ID) VALUES "
                                       "('%1', '旧'), ('%2', '旧'), ('%1', '旧')")
                            .arg(first, missing));
    window.form->database().itemQuery.requery();

    clickTemplatesButton(window);
    QCOMPARE(window.script.shown().size(), std::size_t{1});
    verifyError(window.script.shown()[0], missing);
    QCOMPARE(tableRows(window, QStringLiteral("邮费模版ID")),
             (Rows{{QStringLiteral("2099290")}, {QStringLiteral("旧")}, {QStringLiteral("旧")}}));
    QCOMPARE(app::TForm2::get().countsText(), QStringLiteral("当前/总数：1/3"));
    verifyCleanedUp(window);
}

QTEST_MAIN(TForm1HiddenCommandsUiTest)
#include "TForm1HiddenCommandsUiTest.moc"
