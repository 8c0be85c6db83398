#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

#include "app/DialogScript.h"
#include "app/FileDialogColumns.h"
#include "app/QtTranslations.h"
#include "grid/confirm/ConfirmationBox.h"
#include "grid/look/SongTiFont.h"
#include "grid/navigator/TDBNavigator.h"
#include "grid/navigator/TNavButton.h"
#include "grid/view/TDBGrid.h"
#include "tests/app/MainWindowOnData.h"

using namespace Qt::StringLiterals;
using app::DialogScript;

// Qt's Simplified Chinese texts loaded as at start-up: the platform's own
// dialogs and buttons read Chinese, and every text that the system sets
// itself stays as it stands.
class QtTranslationsUiTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void platformDialogsReadChinese();
    void fileDetailsShowWholeUnderTheChineseCaptions();
    void theSystemsOwnTextsStay();
};

void QtTranslationsUiTest::initTestCase() {
    // Qt's file dialog keeps its state in the user's settings; not those of a test.
    QStandardPaths::setTestModeEnabled(true);
    grid::installSongTiSubstitution();
    QVERIFY(app::installQtTranslations(*qApp));
}

void QtTranslationsUiTest::platformDialogsReadChinese() {
    QFileDialog open(nullptr, u"打开"_s);
    open.setOption(QFileDialog::DontUseNativeDialog);
    open.setFileMode(QFileDialog::ExistingFile);
    QCOMPARE(open.findChild<QLabel*>(u"lookInLabel"_s)->text(), u"查找范围："_s);
    QCOMPARE(open.findChild<QLabel*>(u"fileNameLabel"_s)->text(), u"文件名称(&N)："_s);
    const auto* buttons = open.findChild<QDialogButtonBox*>();
    QCOMPARE(buttons->button(QDialogButtonBox::Open)->text(), u"打开(&O)"_s);
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), u"取消"_s);

    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), u"确定"_s);
}

// A large database file: its size, type and date each fit their column.
void QtTranslationsUiTest::fileDetailsShowWholeUnderTheChineseCaptions() {
    testsupport::TempDir folder;
    QFile file(folder.path(u"Data.mdb"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(qint64{456} * 1024 * 1024));
    file.close();

    QFileDialog open(nullptr, u"打开"_s, folder.path(QString()));
    open.setOption(QFileDialog::DontUseNativeDialog);
    app::fitDetailColumns(open);
    open.setViewMode(QFileDialog::Detail);
    // As narrow as the Chinese captions make them on a desktop.
    auto* tree = open.findChild<QTreeView*>(u"treeView"_s);
    for (int column = 1; column <= 3; ++column)
        tree->setColumnWidth(column, 40);
    open.show();
    // The hint for a column is public in the view's base class.
    QAbstractItemView* view = tree;
    QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 1);
    for (int column = 1; column <= 3; ++column) {
        QTRY_VERIFY2(view->sizeHintForColumn(column) > 0 &&
                         tree->columnWidth(column) >= view->sizeHintForColumn(column),
                     qPrintable(view->model()->headerData(column, Qt::Horizontal).toString()));
    }
}

void QtTranslationsUiTest::theSystemsOwnTextsStay() {
    // The grid's and the navigator's own confirmation box, as shown without a window.
    grid::ConfirmationBox confirmation(nullptr, u"Confirm"_s, u"Delete record?"_s);
    QCOMPARE(confirmation.button(QMessageBox::Ok)->text(), u"OK"_s);
    QCOMPARE(confirmation.button(QMessageBox::Cancel)->text(), u"取消"_s);

    MainWindowOnData session(u"INSERT INTO BabyData(宝贝名称) VALUES ('甲')"_s);
    app::TForm1& form = *session.form;
    session.script.queueAnswer(QMessageBox::Cancel);
    form.grid().setFocus();
    QTest::keyClick(&form.grid(), Qt::Key_Delete, Qt::ControlModifier);
    form.dialogs().showError(u"打开写入文件失败！"_s);
    form.dialogs().showMessage(u"导入成功"_s);
    form.dialogs().askYesNoCancel(form.windowTitle(), u"?"_s);

    const std::vector<DialogScript::Shown>& shown = session.script.shown();
    QCOMPARE(shown.size(), std::size_t{4});
    QCOMPARE(shown[0].title, u"Confirm"_s);
    QCOMPARE(shown[0].text, u"Delete record?"_s);
    QCOMPARE(shown[0].buttons, (QStringList{u"OK"_s, u"取消"_s}));
    QCOMPARE(shown[1].buttons, QStringList{u"OK"_s});
    QCOMPARE(shown[2].buttons, QStringList{u"OK"_s});
    QCOMPARE(shown[3].buttons, (QStringList{u"是"_s, u"否"_s, u"取消"_s}));
    QCOMPARE(form.database().itemQuery.recordCount(), 1);

    QCOMPARE(form.navigator().button(grid::nbFirst)->hint(), u"First record"_s);
    QCOMPARE(form.navigator().button(grid::nbCancel)->hint(), u"Cancel edit"_s);
}

QTEST_MAIN(QtTranslationsUiTest)
#include "QtTranslationsUiTest.moc"
