#include <QHeaderView>

#include "tests/grid/GridWindow.h"

using namespace Qt::StringLiterals;
using gridtest::GridWindow;
using store::DataSetState;

Q_DECLARE_METATYPE(DataSetState)

namespace {

// Ways of leaving a record, or the grid, from the grid's last record.
enum class Leave { Up, Esc, FocusToButton, ClickOnFirstRow, CtrlHome };

void leave(GridWindow& window, Leave how) {
    switch (how) {
        case Leave::Up:
            window.key(Qt::Key_Up);
            break;
        case Leave::Esc:
            window.key(Qt::Key_Escape);
            break;
        case Leave::FocusToButton:
            window.button->setFocus();
            break;
        case Leave::ClickOnFirstRow: {
            const QModelIndex cell = window.grid->gridModel().index(0, 1);
            QTest::mouseClick(window.grid->viewport(), Qt::LeftButton, {},
                              window.grid->visualRect(cell).center());
            break;
        }
        case Leave::CtrlHome:
            window.key(Qt::Key_Home, Qt::ControlModifier);
            break;
    }
}

// The indicator draws its mark in the middle of the row's section.
bool markedAt(const GridWindow& window, int row) {
    QHeaderView* indicator = window.grid->verticalHeader();
    const QRect section(0, indicator->sectionViewportPosition(row), indicator->width(),
                        indicator->sectionSize(row));
    return indicator->rect().contains(section) &&
           qGray(indicator->grab().toImage().pixel(section.center())) < 100;
}

}  // namespace

// The grid's keys, pressed on the grid or in its cell editor, against the
// item query of a real database.
class TDBGridKeysUiTest : public QObject {
    Q_OBJECT

private slots:
    void downOnTheLastRecordAppendsOnceAndAnUntouchedRecordGoes_data();
    void downOnTheLastRecordAppendsOnceAndAnUntouchedRecordGoes();
    void discardingAnAppendedRecordShowsTheCurrentRecord_data();
    void discardingAnAppendedRecordShowsTheCurrentRecord();
    void keysDoNothingAndTabStaysWithoutADataset_data();
    void keysDoNothingAndTabStaysWithoutADataset();
    void aTypedNewRecordIsPostedWhenLeft_data();
    void aTypedNewRecordIsPostedWhenLeft();
    void tabAndShiftTabVisitTheTabStopsAcrossRecords_data();
    void tabAndShiftTabVisitTheTabStopsAcrossRecords();
    void pageHomeEndAndArrowsMove();
    void insertFollowsTheAllowedOperations();
    void ctrlDeleteAsksAndOnlyOkDeletes();
    void enterWritesTheTextAndKeepsEditingUntilTheRecordIsLeft();
    void escReloadsModifiedTextElseCancels();
    void ctrlQuoteCopiesTheValueAbove();
    void theEditorHandsRecordKeysToTheGrid();
    void anAlwaysShownEditorOpensWithTheFocusAndHandsItsEdgesToTheGrid();
};

void TDBGridKeysUiTest::downOnTheLastRecordAppendsOnceAndAnUntouchedRecordGoes_data() {
    QTest::addColumn<Leave>("how");
    QTest::addColumn<bool>("cancelOnExit");
    QTest::addColumn<DataSetState>("state");
    QTest::addColumn<int>("row");
    QTest::newRow("Up") << Leave::Up << true << DataSetState::Browse << 2;
    QTest::newRow("Esc") << Leave::Esc << true << DataSetState::Browse << 2;
    QTest::newRow("focus to a button") << Leave::FocusToButton << true << DataSetState::Browse << 2;
    QTest::newRow("focus away without dgCancelOnExit")
        << Leave::FocusToButton << false << DataSetState::Insert << 3;
    QTest::newRow("click on another row")
        << Leave::ClickOnFirstRow << true << DataSetState::Browse << 0;
}

void TDBGridKeysUiTest::downOnTheLastRecordAppendsOnceAndAnUntouchedRecordGoes() {
    QFETCH(Leave, how);
    QFETCH(bool, cancelOnExit);
    QFETCH(DataSetState, state);
    QFETCH(int, row);
    GridWindow window(3);
    if (!cancelOnExit)
        window.grid->setOptions(grid::kDefaultOptions & ~grid::TGridOptions(grid::dgCancelOnExit));
    window.key(Qt::Key_Down);
    window.key(Qt::Key_Down);
    QCOMPARE(window.query().recNo(), 2);
    QCOMPARE(window.query().state(), DataSetState::Browse);

    window.key(Qt::Key_Down);
    QCOMPARE(window.query().state(), DataSetState::Insert);
    QCOMPARE(window.query().recNo(), 3);
    QCOMPARE(window.grid->gridModel().rowCount(), 4);
    QCOMPARE(window.grid->currentIndex().row(), 3);
    window.key(Qt::Key_Down);
    QCOMPARE(window.query().recNo(), 3);
    QCOMPARE(window.grid->gridModel().rowCount(), 4);

    leave(window, how);
    QCOMPARE(window.query().state(), state);
    QCOMPARE(window.query().recNo(), row);
    QCOMPARE(window.count(u"1"_s), 3);
    QVERIFY(window.failures.isEmpty());
}

void TDBGridKeysUiTest::discardingAnAppendedRecordShowsTheCurrentRecord_data() {
    QTest::addColumn<Leave>("how");
    QTest::newRow("Up") << Leave::Up;
    QTest::newRow("Esc") << Leave::Esc;
}

// The last record is current again after the empty record goes: in view, with its mark.
void TDBGridKeysUiTest::discardingAnAppendedRecordShowsTheCurrentRecord() {
    QFETCH(Leave, how);
    GridWindow window(1000);
    window.key(Qt::Key_End, Qt::ControlModifier);
    window.key(Qt::Key_Down);
    QCOMPARE(window.query().state(), DataSetState::Insert);
    QVERIFY(markedAt(window, 1000));

    leave(window, how);
    // The view lays itself out for the row count once events are handled.
    QCoreApplication::processEvents();
    QCOMPARE(window.query().state(), DataSetState::Browse);
    QCOMPARE(window.query().recNo(), 999);
    QCOMPARE(window.grid->currentIndex().row(), 999);
    const QRect current = window.grid->visualRect(window.grid->currentIndex());
    QVERIFY(window.grid->viewport()->rect().contains(current));
    QVERIFY(markedAt(window, 999));
}

void TDBGridKeysUiTest::keysDoNothingAndTabStaysWithoutADataset_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Tab") << int(Qt::Key_Tab) << Qt::KeyboardModifiers();
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << Qt::KeyboardModifiers(Qt::ShiftModifier);
    QTest::newRow("Down") << int(Qt::Key_Down) << Qt::KeyboardModifiers();
    QTest::newRow("Ctrl+End") << int(Qt::Key_End) << Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("Insert") << int(Qt::Key_Insert) << Qt::KeyboardModifiers();
}

// Detached, as during a long command: the grid keeps the focus and the record.
void TDBGridKeysUiTest::keysDoNothingAndTabStaysWithoutADataset() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    GridWindow window(3);
    window.goTo(1, u"宝贝链接"_s);
    window.source.setDataSet(nullptr);

    window.key(Qt::Key(key), modifiers);
    QCOMPARE(QApplication::focusWidget(), window.grid);
    QCOMPARE(window.currentField(), u"宝贝链接"_s);
    window.source.setDataSet(&window.query());
    QCOMPARE(window.query().recNo(), 1);
    QCOMPARE(window.query().state(), DataSetState::Browse);
    QCOMPARE(window.query().recordCount(), 3);
}

void TDBGridKeysUiTest::aTypedNewRecordIsPostedWhenLeft_data() {
    QTest::addColumn<Leave>("how");
    QTest::newRow("Up") << Leave::Up;
    QTest::newRow("Ctrl+Home") << Leave::CtrlHome;
    QTest::newRow("click on another row") << Leave::ClickOnFirstRow;
}

void TDBGridKeysUiTest::aTypedNewRecordIsPostedWhenLeft() {
    QFETCH(Leave, how);
    GridWindow window(2);
    window.key(Qt::Key_End, Qt::ControlModifier);
    window.key(Qt::Key_Down);
    window.key(Qt::Key_Right);
    QCOMPARE(window.currentField(), u"宝贝链接"_s);
    window.type(u"new"_s);
    QCOMPARE(window.query().state(), DataSetState::Insert);

    leave(window, how);
    QCOMPARE(window.query().state(), DataSetState::Browse);
    QCOMPARE(window.query().recordCount(), 3);
    QCOMPARE(window.count(u"宝贝链接 = 'new'"_s), 1);
    QCOMPARE(window.idFooter(), u"3"_s);
}

void TDBGridKeysUiTest::tabAndShiftTabVisitTheTabStopsAcrossRecords_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<int>("toRow");
    QTest::addColumn<QString>("toField");
    QTest::addColumn<DataSetState>("state");
    const auto browse = DataSetState::Browse;
    QTest::newRow("Shift+Tab in 宝贝链接") << 1 << u"宝贝链接"_s << true << 1 << u"ID"_s << browse;
    QTest::newRow("Shift+Tab in the first tab stop")
        << 1 << u"ID"_s << true << 0 << u"数据ID"_s << browse;
    QTest::newRow("Shift+Tab in the first record")
        << 0 << u"ID"_s << true << 0 << u"数据ID"_s << browse;
    QTest::newRow("Tab over read-only columns")
        << 0 << u"宝贝链接"_s << false << 0 << u"视频"_s << browse;
    QTest::newRow("Tab from a read-only column")
        << 0 << u"宝贝名称"_s << false << 0 << u"视频"_s << browse;
    QTest::newRow("Tab in 数据ID") << 0 << u"数据ID"_s << false << 1 << u"ID"_s << browse;
    QTest::newRow("Tab in the last 数据ID appends")
        << 2 << u"数据ID"_s << false << 3 << u"ID"_s << DataSetState::Insert;
}

void TDBGridKeysUiTest::tabAndShiftTabVisitTheTabStopsAcrossRecords() {
    QFETCH(int, row);
    QFETCH(QString, field);
    QFETCH(bool, backwards);
    QFETCH(int, toRow);
    QFETCH(QString, toField);
    QFETCH(DataSetState, state);
    GridWindow window(3);
    window.goTo(row, field);
    window.key(backwards ? Qt::Key_Backtab : Qt::Key_Tab,
               backwards ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(window.query().recNo(), toRow);
    QCOMPARE(window.currentField(), toField);
    QCOMPARE(window.query().state(), state);
    QCOMPARE(window.focused(), window.grid);

    // Without dgTabs, Tab moves the focus on.
    window.grid->setOptions(grid::kDefaultOptions & ~grid::TGridOptions(grid::dgTabs));
    window.key(Qt::Key_Tab);
    QCOMPARE(window.focused(), window.button);
}

void TDBGridKeysUiTest::pageHomeEndAndArrowsMove() {
    GridWindow window(100);
    store::Query& query = window.query();
    const int page = window.grid->verticalScrollBar()->pageStep();
    QVERIFY(page > 1 && page < 50);
    window.key(Qt::Key_PageDown);
    QCOMPARE(query.recNo(), page);
    QCOMPARE(window.grid->rowAt(0), page);
    window.key(Qt::Key_Down);
    window.key(Qt::Key_PageUp);
    QCOMPARE(query.recNo(), 1);
    window.key(Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(query.recNo(), 99);
    window.key(Qt::Key_PageDown);
    QCOMPARE(query.recNo(), 99);
    QCOMPARE(query.state(), DataSetState::Browse);
    window.key(Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(query.recNo(), 0);

    window.key(Qt::Key_End);
    QCOMPARE(window.currentField(), u"数据ID"_s);
    window.key(Qt::Key_Right);
    QCOMPARE(window.currentField(), u"数据ID"_s);
    window.key(Qt::Key_Left);
    QCOMPARE(window.currentField(), u"宝贝编号"_s);
    window.key(Qt::Key_Home);
    QCOMPARE(window.currentField(), u"ID"_s);
    window.key(Qt::Key_Left);
    QCOMPARE(window.currentField(), u"ID"_s);
    QCOMPARE(query.recNo(), 0);
}

void TDBGridKeysUiTest::insertFollowsTheAllowedOperations() {
    GridWindow window(3);
    store::Query& query = window.query();
    window.key(Qt::Key_Down);
    window.key(Qt::Key_Insert);
    QCOMPARE(query.state(), DataSetState::Insert);
    QCOMPARE(query.recNo(), 1);
    QCOMPARE(window.grid->gridModel().rowCount(), 4);
    window.key(Qt::Key_Escape);
    QCOMPARE(query.state(), DataSetState::Browse);
    QCOMPARE(window.grid->gridModel().rowCount(), 3);

    // Shift+Insert is no grid key.
    window.key(Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(query.state(), DataSetState::Browse);

    // Without alopInsert, Insert appends.
    window.grid->setAllowedOperations(grid::alopAppend | grid::alopUpdate);
    window.key(Qt::Key_Insert);
    QCOMPARE(query.state(), DataSetState::Insert);
    QVERIFY(query.eof());
    QCOMPARE(query.recNo(), 3);
    window.key(Qt::Key_Up);
    QCOMPARE(query.state(), DataSetState::Browse);

    // Without alopAppend, Down on the last record stays.
    window.grid->setAllowedOperations(grid::alopInsert | grid::alopUpdate);
    window.key(Qt::Key_Down);
    QCOMPARE(query.state(), DataSetState::Browse);
    QCOMPARE(query.recNo(), 2);

    // A read-only grid adds nothing.
    window.grid->setAllowedOperations(grid::kAllAllowedOperations);
    window.grid->setReadOnly(true);
    window.key(Qt::Key_Insert);
    window.key(Qt::Key_Down);
    QCOMPARE(query.state(), DataSetState::Browse);
    QCOMPARE(window.grid->gridModel().rowCount(), 3);
}

void TDBGridKeysUiTest::ctrlDeleteAsksAndOnlyOkDeletes() {
    GridWindow window(3);
    store::Query& query = window.query();
    window.key(Qt::Key_Down);
    window.answerOk = false;
    window.key(Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(window.questions, QStringList{u"Confirm|Delete record?"_s});
    QCOMPARE(query.recordCount(), 3);
    QCOMPARE(window.idFooter(), u"3"_s);

    window.answerOk = true;
    window.key(Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(query.recordCount(), 2);
    QCOMPARE(window.count(u"ID = 2"_s), 0);
    QCOMPARE(window.idFooter(), u"2"_s);

    // Delete alone belongs to the editor; without dgConfirmDelete nothing is asked.
    window.questions.clear();
    window.key(Qt::Key_Delete);
    QCOMPARE(query.recordCount(), 2);
    window.grid->setOptions(grid::kDefaultOptions & ~grid::TGridOptions(grid::dgConfirmDelete));
    window.key(Qt::Key_Delete, Qt::ControlModifier);
    window.key(Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(query.recordCount(), 0);
    QCOMPARE(window.idFooter(), u"0"_s);

    // On an empty table there is nothing to delete.
    window.grid->setOptions(grid::kDefaultOptions);
    window.key(Qt::Key_Delete, Qt::ControlModifier);
    QVERIFY(window.questions.isEmpty());
    QVERIFY(window.failures.isEmpty());
}

void TDBGridKeysUiTest::enterWritesTheTextAndKeepsEditingUntilTheRecordIsLeft() {
    GridWindow window(3);
    window.goTo(0, u"宝贝链接"_s);
    window.type(u"typed"_s);
    QVERIFY(window.editor().isOpen());
    QCOMPARE(window.editor().text(), u"typed"_s);
    QCOMPARE(window.query().state(), DataSetState::Edit);

    window.key(Qt::Key_Return);
    QVERIFY(!window.editor().isOpen());
    QCOMPARE(window.focused(), window.grid);
    QCOMPARE(window.value(u"宝贝链接"_s), u"typed"_s);
    QCOMPARE(window.query().state(), DataSetState::Edit);
    QCOMPARE(window.count(u"宝贝链接 = 'typed'"_s), 0);

    window.key(Qt::Key_Return);
    QVERIFY(window.editor().isOpen());
    QCOMPARE(window.editor().selectedText(), u"typed"_s);
    QCOMPARE(window.query().state(), DataSetState::Edit);

    window.key(Qt::Key_Down);
    QCOMPARE(window.query().state(), DataSetState::Browse);
    QCOMPARE(window.count(u"ID = 1 AND 宝贝链接 = 'typed'"_s), 1);
    // The open editor moved along and shows the next record's cell.
    QVERIFY(window.editor().isOpen());
    QCOMPARE(window.editor().text(), u"link 2"_s);
}

void TDBGridKeysUiTest::escReloadsModifiedTextElseCancels() {
    GridWindow window(3);
    window.goTo(1, u"宝贝链接"_s);
    window.type(u"ab"_s);
    window.key(Qt::Key_Return);
    window.key(Qt::Key_F2);
    QCOMPARE(window.editor().cursorPosition(), 2);
    window.type(u"c"_s);
    QCOMPARE(window.editor().text(), u"abc"_s);

    window.key(Qt::Key_Escape);
    QVERIFY(!window.editor().isOpen());
    QCOMPARE(window.query().state(), DataSetState::Edit);
    QCOMPARE(window.value(u"宝贝链接"_s), u"ab"_s);

    window.key(Qt::Key_Escape);
    QCOMPARE(window.query().state(), DataSetState::Browse);
    QCOMPARE(window.value(u"宝贝链接"_s), u"link 2"_s);
}

void TDBGridKeysUiTest::ctrlQuoteCopiesTheValueAbove() {
    GridWindow window(100);
    store::Query& query = window.query();
    const auto ctrlQuote = [&] { window.key(Qt::Key_Apostrophe, Qt::ControlModifier); };

    window.goTo(0, u"宝贝链接"_s);
    ctrlQuote();
    QCOMPARE(query.state(), DataSetState::Browse);
    QVERIFY(!window.editor().isOpen());

    // A read-only column is not changed.
    window.goTo(2, u"宝贝名称"_s);
    ctrlQuote();
    QCOMPARE(query.state(), DataSetState::Browse);

    window.goTo(2, u"宝贝链接"_s);
    ctrlQuote();
    QCOMPARE(query.state(), DataSetState::Edit);
    QCOMPARE(window.value(u"宝贝链接"_s), u"link 2"_s);
    QVERIFY(window.editor().isOpen());
    QCOMPARE(window.editor().selectedText(), u"link 2"_s);
    window.key(Qt::Key_Escape);
    QCOMPARE(query.state(), DataSetState::Browse);
    QCOMPARE(window.value(u"宝贝链接"_s), u"link 3"_s);

    // The top row shown has no row shown above it.
    window.goTo(60, u"宝贝链接"_s);
    window.grid->scrollTo(window.grid->currentIndex(), QAbstractItemView::PositionAtTop);
    QCOMPARE(window.grid->rowAt(0), 60);
    ctrlQuote();
    QCOMPARE(query.state(), DataSetState::Browse);
}

void TDBGridKeysUiTest::theEditorHandsRecordKeysToTheGrid() {
    GridWindow window(3);
    window.goTo(0, u"宝贝链接"_s);
    window.key(Qt::Key_F2);
    QCOMPARE(window.focused(), &window.editor());
    // Caret keys stay in the editor.
    window.key(Qt::Key_Home);
    window.key(Qt::Key_Right);
    window.key(Qt::Key_End);
    window.key(Qt::Key_Left);
    QCOMPARE(window.editor().cursorPosition(), 5);
    QCOMPARE(window.currentField(), u"宝贝链接"_s);

    window.key(Qt::Key_Down);
    QCOMPARE(window.query().recNo(), 1);
    window.key(Qt::Key_Tab);
    QCOMPARE(window.currentField(), u"视频"_s);
    QVERIFY(window.editor().isOpen());
    QCOMPARE(window.focused(), &window.editor());
    // The grid scrolled to the column; the editor covers its cell.
    const QRect cell = window.grid->visualRect(window.grid->currentIndex());
    QVERIFY(window.grid->viewport()->rect().contains(cell));
    QCOMPARE(window.editor().geometry(), cell.adjusted(0, 0, -1, -1));
    window.key(Qt::Key_Insert);
    QCOMPARE(window.query().state(), DataSetState::Insert);
    window.key(Qt::Key_Escape);
    QCOMPARE(window.query().state(), DataSetState::Browse);
    QVERIFY(!window.editor().isOpen());
    QCOMPARE(window.focused(), window.grid);
    QCOMPARE(window.query().recordCount(), 3);
}

void TDBGridKeysUiTest::anAlwaysShownEditorOpensWithTheFocusAndHandsItsEdgesToTheGrid() {
    GridWindow window(3);
    window.grid->setOptions(grid::kDefaultOptions | grid::dgAlwaysShowEditor);
    window.button->setFocus();
    window.grid->setFocus();
    QVERIFY(window.editor().isOpen());
    QCOMPARE(window.focused(), &window.editor());

    window.key(Qt::Key_Right);  // all text selected: the caret moves
    QCOMPARE(window.currentField(), u"ID"_s);
    window.key(Qt::Key_Right);  // at the end of the text: the next column
    QCOMPARE(window.currentField(), u"宝贝链接"_s);
    window.key(Qt::Key_Left, Qt::ControlModifier);  // with Ctrl at once
    QCOMPARE(window.currentField(), u"ID"_s);

    window.goTo(0, u"宝贝链接"_s);
    window.type(u"x"_s);
    window.key(Qt::Key_Return);
    QVERIFY(window.editor().isOpen());
    QVERIFY(window.editor().isEditModified());
    QCOMPARE(window.value(u"宝贝链接"_s), u"link 1"_s);
    window.key(Qt::Key_Escape);
    QVERIFY(window.editor().isOpen());
    QCOMPARE(window.editor().text(), u"link 1"_s);
    QCOMPARE(window.query().state(), DataSetState::Edit);
}

QTEST_MAIN(TDBGridKeysUiTest)
#include "TDBGridKeysUiTest.moc"
