#include <memory>

#include <QApplication>
#include <QPushButton>
#include <QtTest>

#include "app/ApplicationTitle.h"
#include "app/DialogScript.h"
#include "app/TForm1.h"
#include "grid/look/SongTiFont.h"
#include "grid/view/TDBGrid.h"
#include "tests/app/MainWindowOnData.h"

using app::DialogScript;
using app::TForm1;
using store::DataSetState;

// The grid's keys in the main window: the delete question and failures go
// through the window's dialogs, and a command button takes the focus.
class TForm1GridKeysUiTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { grid::installSongTiSubstitution(); }
    void gridKeysAskAndReportThroughTheWindow();
};

void TForm1GridKeysUiTest::gridKeysAskAndReportThroughTheWindow() {
    MainWindowOnData session(
        QStringLiteral("INSERT INTO BabyData(宝贝名称) VALUES ('甲'), ('乙'), ('丙')"));
    TForm1* form = session.form.get();
    DialogScript& script = session.script;
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form));
    store::Query& query = form->database().itemQuery;
    const auto key = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    };

    // Ctrl+Delete asks the window's confirmation; Cancel keeps the record.
    script.queueAnswer(QMessageBox::Cancel);
    key(Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(script.shown().size(), std::size_t{1});
    QCOMPARE(script.shown().back().title, QStringLiteral("Confirm"));
    QCOMPARE(script.shown().back().text, QStringLiteral("Delete record?"));
    QCOMPARE(script.shown().back().buttons,
             (QStringList{QStringLiteral("OK"), QStringLiteral("取消")}));
    QCOMPARE(query.recordCount(), 3);

    // A refused ID reaches the default error report; the record stays in editing.
    key(Qt::Key_Down);
    key(Qt::Key_1);
    key(Qt::Key_Down);
    QCOMPARE(script.shown().size(), std::size_t{2});
    QCOMPARE(script.shown().back().icon, QMessageBox::Critical);
    QCOMPARE(script.shown().back().title, app::applicationTitle());
    QCOMPARE(query.state(), DataSetState::Edit);
    key(Qt::Key_Escape);
    QCOMPARE(query.state(), DataSetState::Browse);

    // An untouched appended record goes when a command button takes the focus.
    key(Qt::Key_End, Qt::ControlModifier);
    key(Qt::Key_Down);
    QCOMPARE(query.state(), DataSetState::Insert);
    form->button(QStringLiteral("Button5"))->setFocus();
    QCOMPARE(query.state(), DataSetState::Browse);
    QCOMPARE(query.recordCount(), 3);
}

QTEST_MAIN(TForm1GridKeysUiTest)
#include "TForm1GridKeysUiTest.moc"
