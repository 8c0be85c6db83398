#include <QClipboard>
#include <QInputMethodEvent>

#include "tests/grid/GridWindow.h"

using namespace Qt::StringLiterals;
using gridtest::GridWindow;
using store::DataSetState;

// The grid's cell editor: what it lets through into a cell, and when its
// text reaches the field.
class GridCellEditorUiTest : public QObject {
    Q_OBJECT

private slots:
    void aReadOnlyCellOpensButDropsEveryChange_data();
    void aReadOnlyCellOpensButDropsEveryChange();
    void anIntegerCellRefusesLettersWithABeep();
    void pasteKeepsTheCharactersTheFieldTakes();
    void aDuplicateIdIsReportedAndTheRecordStaysInEditing();
    void pendingTextIsWrittenWhenTheCellOrTheGridIsLeft();
};

void GridCellEditorUiTest::aReadOnlyCellOpensButDropsEveryChange_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("unmarkColumn");
    QTest::addColumn<QString>("shown");
    QTest::newRow("read-only column") << u"宝贝名称"_s << false << u"item 1"_s;
    // A memo cell is never edited in the grid, even in a column not marked read-only.
    QTest::newRow("memo column") << u"宝贝描述"_s << true << u"(Memo)"_s;
}

void GridCellEditorUiTest::aReadOnlyCellOpensButDropsEveryChange() {
    QFETCH(QString, field);
    QFETCH(bool, unmarkColumn);
    QFETCH(QString, shown);
    GridWindow window(2);
    if (unmarkColumn)
        window.grid->columns().at(window.columnIndex(field)).setReadOnly(false);
    QApplication::clipboard()->setText(u"pasted"_s);
    QSignalSpy refused(&window.editor(), &grid::GridCellEditor::characterRefused);
    window.goTo(0, field);

    window.type(u"xyz"_s);
    QVERIFY(window.editor().isOpen());
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_Backspace, Qt::KeyboardModifiers()},
          std::pair{Qt::Key_Delete, Qt::KeyboardModifiers()},
          std::pair{Qt::Key_V, Qt::KeyboardModifiers(Qt::ControlModifier)},
          std::pair{Qt::Key_X, Qt::KeyboardModifiers(Qt::ControlModifier)},
          std::pair{Qt::Key_Insert, Qt::KeyboardModifiers(Qt::ShiftModifier)}})
        window.key(key, modifiers);
    QCOMPARE(window.editor().text(), shown);
    QVERIFY(!window.editor().isEditModified());
    QCOMPARE(window.query().state(), DataSetState::Browse);
    QCOMPARE(refused.count(), 0);
    QCOMPARE(QApplication::clipboard()->text(), u"pasted"_s);
}

void GridCellEditorUiTest::anIntegerCellRefusesLettersWithABeep() {
    GridWindow window(2);
    QSignalSpy refused(&window.editor(), &grid::GridCellEditor::characterRefused);
    window.goTo(0, u"ID"_s);
    window.type(u"a"_s);
    QCOMPARE(refused.count(), 1);
    QVERIFY(window.editor().isOpen());
    QCOMPARE(window.editor().text(), u"1"_s);
    QCOMPARE(window.query().state(), DataSetState::Browse);

    window.type(u"7b"_s);
    QCOMPARE(refused.count(), 2);
    QCOMPARE(window.editor().text(), u"7"_s);
    QCOMPARE(window.query().state(), DataSetState::Edit);
    QVERIFY(window.editor().isEditModified());

    // Text from an input method is filtered the same way.
    QInputMethodEvent composed;
    composed.setCommitString(u"8九9"_s);
    QCoreApplication::sendEvent(&window.editor(), &composed);
    QCOMPARE(refused.count(), 3);
    QCOMPARE(window.editor().text(), u"789"_s);

    window.key(Qt::Key_Up);  // no record above: stays, posted
    QCOMPARE(window.query().state(), DataSetState::Browse);
    QCOMPARE(window.count(u"ID = 789 AND 宝贝名称 = 'item 1'"_s), 1);
}

void GridCellEditorUiTest::pasteKeepsTheCharactersTheFieldTakes() {
    GridWindow window(2);
    window.goTo(1, u"ID"_s);
    window.key(Qt::Key_F2);
    QApplication::clipboard()->setText(u"3a4\n5"_s);
    window.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(window.editor().text(), u"2345"_s);
    QCOMPARE(window.query().state(), DataSetState::Edit);
    QVERIFY(window.editor().isEditModified());

    // A text cell takes the clipboard without its line break, up to the field's size.
    window.key(Qt::Key_Escape);
    window.key(Qt::Key_Escape);
    window.goTo(1, u"数据ID"_s);
    QApplication::clipboard()->setText(QString(60, u'd') + u'\n');
    window.key(Qt::Key_F2);
    window.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(window.editor().text(), QString(50, u'd'));
    window.key(Qt::Key_Return);
    QCOMPARE(window.value(u"数据ID"_s), QString(50, u'd'));
}

void GridCellEditorUiTest::aDuplicateIdIsReportedAndTheRecordStaysInEditing() {
    GridWindow window(3);
    window.goTo(1, u"ID"_s);
    // Text that the field refuses stops the move before anything is posted.
    window.type(u"-"_s);
    window.key(Qt::Key_Down);
    QCOMPARE(window.failures, QStringList{u"'-' is not a valid integer value"_s});
    QCOMPARE(window.query().recNo(), 1);
    QVERIFY(window.editor().isEditModified());

    window.key(Qt::Key_Backspace);
    window.type(u"1"_s);
    QCOMPARE(window.query().state(), DataSetState::Edit);
    window.key(Qt::Key_Down);
    QCOMPARE(window.failures.size(), 2);
    QVERIFY2(window.failures.back().contains(u"UNIQUE"_s), qPrintable(window.failures.back()));
    QCOMPARE(window.query().state(), DataSetState::Edit);
    QCOMPARE(window.query().recNo(), 1);
    QCOMPARE(window.value(u"ID"_s), u"1"_s);
    QCOMPARE(window.count(u"ID = 2"_s), 1);

    // A click on another row is refused the same way.
    const QModelIndex cell = window.grid->gridModel().index(2, 1);
    QTest::mouseClick(window.grid->viewport(), Qt::LeftButton, {},
                      window.grid->visualRect(cell).center());
    QCOMPARE(window.failures.size(), 3);
    QCOMPARE(window.query().state(), DataSetState::Edit);
    QTRY_COMPARE(window.grid->currentIndex().row(), 1);

    window.key(Qt::Key_Escape);
    QCOMPARE(window.query().state(), DataSetState::Browse);
    QCOMPARE(window.value(u"ID"_s), u"2"_s);
}

void GridCellEditorUiTest::pendingTextIsWrittenWhenTheCellOrTheGridIsLeft() {
    GridWindow window(2);
    window.goTo(0, u"宝贝链接"_s);
    window.type(u"abc"_s);
    window.button->setFocus();
    QCOMPARE(window.value(u"宝贝链接"_s), u"abc"_s);
    QCOMPARE(window.query().state(), DataSetState::Edit);
    QVERIFY(!window.editor().isEditModified());

    // Text that the field refuses keeps the focus in the grid and is reported.
    window.grid->setFocus();
    QCOMPARE(window.focused(), &window.editor());
    window.key(Qt::Key_Return);
    window.key(Qt::Key_Left);
    QCOMPARE(window.currentField(), u"ID"_s);
    window.type(u"-"_s);
    window.button->setFocus();
    QCOMPARE(window.failures, QStringList{u"'-' is not a valid integer value"_s});
    QCOMPARE(window.focused(), &window.editor());
    QCOMPARE(window.editor().text(), u"-"_s);
    QCOMPARE(window.query().state(), DataSetState::Edit);

    // So does a click into another cell of the record; the cell stays current.
    const QModelIndex link = window.grid->gridModel().index(0, 1);
    QTest::mouseClick(window.grid->viewport(), Qt::LeftButton, {},
                      window.grid->visualRect(link).center());
    QCOMPARE(window.failures.size(), 2);
    QTRY_COMPARE(window.currentField(), u"ID"_s);
    QCOMPARE(window.editor().text(), u"-"_s);
    window.type(u"9"_s);
    window.key(Qt::Key_Tab);
    QCOMPARE(window.currentField(), u"宝贝链接"_s);
    QCOMPARE(window.value(u"ID"_s), u"-9"_s);
}

QTEST_MAIN(GridCellEditorUiTest)
#include "GridCellEditorUiTest.moc"
