#include <memory>

#include <QApplication>
#include <QtTest>

#include "app/ApplicationTitle.h"
#include "app/DialogScript.h"
#include "app/TForm1.h"
#include "grid/look/SongTiFont.h"
#include "grid/navigator/TDBNavigator.h"
#include "grid/navigator/TNavButton.h"
#include "tests/app/MainWindowOnData.h"

using app::DialogScript;
using app::TForm1;
using namespace grid;

// The navigator in the main window, worked with the mouse while the
// window's dialogs are answered by a script. Its place and the delete
// question are covered with the window's other commands.
class TForm1NavigatorUiTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { grid::installSongTiSubstitution(); }
    void navigatorKeepsTheFocusReportsFailuresAndGoesBlankWhenDetached();
};

void TForm1NavigatorUiTest::navigatorKeepsTheFocusReportsFailuresAndGoesBlankWhenDetached() {
    MainWindowOnData session(
        QStringLiteral("INSERT INTO BabyData(宝贝名称) VALUES ('甲'), ('乙'), ('丙')"));
    TForm1* form = session.form.get();
    DialogScript& script = session.script;
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    store::Query& query = form->database().itemQuery;

    auto* navigator = form->findChild<TDBNavigator*>(QStringLiteral("DBNavigator1"));
    QVERIFY(navigator);

    // The grid keeps the keyboard focus while the navigator is clicked.
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(focused);
    QTest::mouseClick(navigator->button(nbLast), Qt::LeftButton);
    QCOMPARE(query.recNo(), 2);
    QVERIFY(!navigator->button(nbNext)->isEnabled());
    QCOMPARE(QApplication::focusWidget(), focused);

    // A failed post reaches the default error report; the record stays inserted.
    QTest::mouseClick(navigator->button(nbInsert), Qt::LeftButton);
    query.fieldByName(QStringLiteral("ID")).setValue(1);
    QTest::mouseClick(navigator->button(nbPost), Qt::LeftButton);
    QCOMPARE(script.shown().size(), std::size_t{1});
    const DialogScript::Shown& error = script.shown().back();
    QCOMPARE(error.icon, QMessageBox::Critical);
    QCOMPARE(error.title, app::applicationTitle());
    QCOMPARE(query.state(), store::DataSetState::Insert);
    QTest::mouseClick(navigator->button(nbCancel), Qt::LeftButton);
    QCOMPARE(query.recordCount(), 3);

    // A long command detaches the item query: the navigator goes blank.
    form->dataSource().setDataSet(nullptr);
    for (int i = 0; i < kNavigateBtnCount; ++i)
        QVERIFY(!navigator->button(static_cast<TNavigateBtn>(i))->isEnabled());
    form->dataSource().setDataSet(&query);
    QVERIFY(navigator->button(nbFirst)->isEnabled());
}

QTEST_MAIN(TForm1NavigatorUiTest)
#include "TForm1NavigatorUiTest.moc"
