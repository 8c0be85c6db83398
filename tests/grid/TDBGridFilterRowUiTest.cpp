#include <QListView>
#include <QtTest>

#include "grid/filterrow/FilterDropDown.h"
#include "grid/filterrow/TInplaceFilterEdit.h"
#include "grid/model/TDBGridCenter.h"
#include "grid/view/GridFilterRow.h"
#include "grid/view/GridHeader.h"
#include "tests/grid/GridWindow.h"

using namespace Qt::StringLiterals;

// The filter row of DBGrid1 over a real item database: clicks in filter
// cells, typing, Enter and the other keys of the filter editor, and choices
// from the dropdown list, checked against the rows shown and the footer.
class TDBGridFilterRowUiTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void typedConditionsFilterAtEnter();
    void aTextThatDoesNotParseLeavesTheFilterAsItWas();
    void theListOffersFixedItemsAndSortedDistinctValues();
    void choosingEmptyAValueAndClearFilterFilterAtOnce();
    void withoutApplyOnCloseUpEnterAppliesTheChoice();
    void theListKeepsItsValuesUntilTheDataChanges();
    void theListRemembersItsSizePerColumn();
    void upAtTheBeginningAndCtrlUpOpenTheEditor();
    void keysMoveBetweenFilterCellsAndBackToTheData();

private:
    grid::GridFilterRow& filterRow() const { return m_window->grid->filterRow(); }
    grid::TInplaceFilterEdit& editor() const { return filterRow().editor(); }
    grid::FilterDropDown& dropDown() const { return filterRow().dropDown(); }
    QWidget* titles() const { return m_window->grid->titleHeader().viewport(); }
    // Clicks the filter cell of the column showing `fieldName`, at its text
    // or on its dropdown button.
    void clickFilterCell(const QString& fieldName, bool onButton = false);
    void typeAndEnter(const QString& fieldName, const QString& text);
    void choose(const QString& itemText);
    QStringList listItems() const;
    QString filterText(const QString& fieldName) const {
        return m_window->grid->columns()
            .at(m_window->columnIndex(fieldName))
            .stFilter()
            .filterText();
    }
    int rowsShown() const { return m_window->query().recordCount(); }

    std::unique_ptr<gridtest::GridWindow> m_window;
};

void TDBGridFilterRowUiTest::init() {
    grid::TDBGridCenter::instance().setApplyFilterOnCloseUp(true);
    m_window = std::make_unique<gridtest::GridWindow>(20);
    // Names 1 to 3 are missing; 视频 is "even" on even IDs, 加价幅度 the ID.
    testsupport::runSql(m_window->path,
                        u"UPDATE BabyData SET 宝贝名称 = CASE WHEN ID <= 3 THEN NULL "
                        u"ELSE 宝贝名称 END, 视频 = CASE WHEN ID % 2 = 0 THEN 'even' "
                        u"ELSE 'odd' END, 加价幅度 = ID"_s);
    m_window->query().requery();
}

void TDBGridFilterRowUiTest::cleanup() {
    QVERIFY2(m_window->failures.isEmpty(), qPrintable(m_window->failures.join(u'\n')));
    m_window.reset();
}

void TDBGridFilterRowUiTest::clickFilterCell(const QString& fieldName, bool onButton) {
    const int modelColumn = m_window->grid->gridModel().modelColumnOf(
        m_window->grid->columns().at(m_window->columnIndex(fieldName)));
    // Scrolled into view as a user would.
    m_window->grid->scrollTo(m_window->grid->gridModel().index(0, modelColumn));
    const QRect cell = m_window->grid->titleHeader().filterCellRect(modelColumn);
    QVERIFY(!cell.isNull());
    const QPoint at = onButton ? QPoint(cell.right() - 4, cell.center().y())
                               : QPoint(cell.left() + 6, cell.center().y());
    QTest::mouseClick(titles(), Qt::LeftButton, {}, at);
}

void TDBGridFilterRowUiTest::typeAndEnter(const QString& fieldName, const QString& text) {
    clickFilterCell(fieldName);
    QVERIFY(editor().hasFocus());
    editor().selectAll();
    QTest::keyClicks(&editor(), text);
    QTest::keyClick(&editor(), Qt::Key_Return);
}

QStringList TDBGridFilterRowUiTest::listItems() const {
    QStringList items;
    const grid::FilterDropDownModel& model = const_cast<grid::FilterDropDown&>(dropDown()).model();
    for (int row = 0; row < model.rowCount(); ++row)
        items << model.textAt(row);
    return items;
}

void TDBGridFilterRowUiTest::choose(const QString& itemText) {
    QVERIFY(dropDown().isVisible());
    const int row = static_cast<int>(listItems().indexOf(itemText));
    QVERIFY2(row >= 0, qPrintable(itemText));
    QListView& list = dropDown().list();
    const QModelIndex index = list.model()->index(row, 0);
    list.scrollTo(index);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(index).center());
    QVERIFY(!dropDown().isVisible());
}

void TDBGridFilterRowUiTest::typedConditionsFilterAtEnter() {
    typeAndEnter(u"加价幅度"_s, u">5 AND <=12"_s);
    QCOMPARE(rowsShown(), 7);
    QCOMPARE(m_window->idFooter(), u"7"_s);
    // The editor stays open with the stored text, all selected.
    QCOMPARE(filterText(u"加价幅度"_s), u">5 AND <=12"_s);
    QVERIFY(editor().isVisible());
    QCOMPARE(editor().selectedText(), u">5 AND <=12"_s);
    QVERIFY(!editor().hasButton());

    // A second condition in another cell narrows the rows further.
    typeAndEnter(u"视频"_s, u"even"_s);
    QCOMPARE(rowsShown(), 4);
    QCOMPARE(m_window->idFooter(), u"4"_s);
    QCOMPARE(m_window->query().filter(),
             u" [加价幅度] > 5 AND [加价幅度] <= 12 AND  [视频] Like 'even' "_s);
}

void TDBGridFilterRowUiTest::aTextThatDoesNotParseLeavesTheFilterAsItWas() {
    typeAndEnter(u"加价幅度"_s, u"<=2"_s);
    QCOMPARE(rowsShown(), 2);
    typeAndEnter(u"加价幅度"_s, u"In (1,2"_s);
    QCOMPARE(m_window->failures, QStringList{u"')' expected: In (1,2"_s});
    m_window->failures.clear();
    QCOMPARE(rowsShown(), 2);
    QCOMPARE(filterText(u"加价幅度"_s), u"<=2"_s);
    // The text stays in the editor to be mended.
    QCOMPARE(editor().text(), u"In (1,2"_s);
}

void TDBGridFilterRowUiTest::theListOffersFixedItemsAndSortedDistinctValues() {
    clickFilterCell(u"视频"_s);
    QVERIFY(!editor().hasButton());
    QTest::keyClick(&editor(), Qt::Key_Down, Qt::AltModifier);
    QVERIFY(!dropDown().isVisible());
    QTest::keyClick(&editor(), Qt::Key_Escape);

    testsupport::runSql(m_window->path, u"UPDATE BabyData SET 宝贝名称 = 'ITEM 4' WHERE ID = 20"_s);
    m_window->query().requery();
    clickFilterCell(u"宝贝名称"_s, true);
    QVERIFY(editor().hasButton());
    const QStringList items = listItems();
    QCOMPARE(items.mid(0, 5), (QStringList{u"(Clear filter)"_s, u"(All)"_s, u"(Not empty)"_s,
                                           u"(Empty)"_s, QString()}));
    // "ITEM 4" is "item 4" without regard to case; the values sort as text.
    QCOMPARE(items.mid(5), (QStringList{u"item 10"_s, u"item 11"_s, u"item 12"_s, u"item 13"_s,
                                        u"item 14"_s, u"item 15"_s, u"item 16"_s, u"item 17"_s,
                                        u"item 18"_s, u"item 19"_s, u"item 4"_s, u"item 5"_s,
                                        u"item 6"_s, u"item 7"_s, u"item 8"_s, u"item 9"_s}));
    QTest::keyClick(&dropDown().list(), Qt::Key_Escape);
    QVERIFY(!dropDown().isVisible());
    QCOMPARE(rowsShown(), 20);

    // Sorting from the list needs automatic sort marking and a title button.
    m_window->grid->setOptionsExt(m_window->grid->optionsExt() | grid::dghAutoSortMarking);
    filterRow().showDropDown();
    QCOMPARE(listItems().mid(0, 4),
             (QStringList{u"(Order by descending)"_s, u"(Order by ascending)"_s, u"-"_s,
                          u"(Clear filter)"_s}));
    choose(u"(Order by descending)"_s);
    QCOMPARE(m_window->query().sort(), u"[宝贝名称] DESC"_s);
}

void TDBGridFilterRowUiTest::choosingEmptyAValueAndClearFilterFilterAtOnce() {
    typeAndEnter(u"视频"_s, u"odd"_s);
    QCOMPARE(rowsShown(), 10);

    clickFilterCell(u"宝贝名称"_s, true);
    choose(u"(Empty)"_s);
    QCOMPARE(editor().text(), u"=Null"_s);
    QCOMPARE(filterText(u"宝贝名称"_s), u"=Null"_s);
    QCOMPARE(rowsShown(), 2);  // IDs 1 and 3
    QCOMPARE(m_window->idFooter(), u"2"_s);

    clickFilterCell(u"宝贝名称"_s, true);
    choose(u"(Not empty)"_s);
    QCOMPARE(rowsShown(), 8);

    // The list holds the names of the rows shown.
    clickFilterCell(u"宝贝名称"_s, true);
    QVERIFY(!listItems().contains(u"item 4"_s));
    choose(u"item 7"_s);
    QCOMPARE(editor().text(), u"item 7"_s);
    QCOMPARE(rowsShown(), 1);
    QCOMPARE(m_window->value(u"ID"_s), u"7"_s);
    QCOMPARE(m_window->idFooter(), u"1"_s);

    clickFilterCell(u"宝贝名称"_s, true);
    choose(u"(Clear filter)"_s);
    QCOMPARE(rowsShown(), 20);
    QCOMPARE(m_window->idFooter(), u"20"_s);
    QCOMPARE(filterText(u"宝贝名称"_s), QString());
    QCOMPARE(filterText(u"视频"_s), QString());
    QVERIFY(!editor().isVisible());
    QVERIFY(m_window->query().filtered());
    QCOMPARE(m_window->query().filter(), QString());
}

void TDBGridFilterRowUiTest::withoutApplyOnCloseUpEnterAppliesTheChoice() {
    grid::TDBGridCenter::instance().setApplyFilterOnCloseUp(false);
    clickFilterCell(u"宝贝名称"_s, true);
    choose(u"(Empty)"_s);
    QCOMPARE(editor().text(), u"=Null"_s);
    QCOMPARE(rowsShown(), 20);
    QTest::keyClick(&editor(), Qt::Key_Return);
    QCOMPARE(rowsShown(), 3);
    // (Clear filter) applies whatever the option says.
    clickFilterCell(u"宝贝名称"_s, true);
    choose(u"(Clear filter)"_s);
    QCOMPARE(rowsShown(), 20);
}

void TDBGridFilterRowUiTest::theListKeepsItsValuesUntilTheDataChanges() {
    clickFilterCell(u"宝贝名称"_s, true);
    QCOMPARE(listItems().size(), 4 + 18);
    QTest::keyClick(&dropDown().list(), Qt::Key_Escape);

    // Changed behind the dataset's back: the second opening shows the cache.
    testsupport::runSql(m_window->path, u"UPDATE BabyData SET 宝贝名称 = 'new' WHERE ID = 5"_s);
    clickFilterCell(u"宝贝名称"_s, true);
    QVERIFY(!listItems().contains(u"new"_s));
    QTest::keyClick(&dropDown().list(), Qt::Key_Escape);

    m_window->query().requery();
    clickFilterCell(u"宝贝名称"_s, true);
    QVERIFY(listItems().contains(u"new"_s));
    QVERIFY(!listItems().contains(u"item 5"_s));
    QTest::keyClick(&dropDown().list(), Qt::Key_Escape);
}

void TDBGridFilterRowUiTest::theListRemembersItsSizePerColumn() {
    clickFilterCell(u"宝贝名称"_s, true);
    const int cellWidth = editor().width();
    // A list is never narrower than its cell; 17 rows at first.
    QCOMPARE(dropDown().width(), cellWidth);
    QCOMPARE(dropDown().currentRows(), 17);
    dropDown().resize(cellWidth + 60,
                      dropDown().height() - 5 * dropDown().list().sizeHintForRow(0));
    const int rows = dropDown().currentRows();
    QCOMPARE(rows, 12);
    choose(u"(All)"_s);
    const grid::TSTColumnFilter& filter =
        m_window->grid->columns().at(m_window->columnIndex(u"宝贝名称"_s)).stFilter();
    QCOMPARE(filter.dropDownWidth(), cellWidth + 60);
    QCOMPARE(filter.dropDownRows(), rows);

    clickFilterCell(u"宝贝名称"_s, true);
    QCOMPARE(dropDown().width(), cellWidth + 60);
    QCOMPARE(dropDown().currentRows(), rows);
    QTest::keyClick(&dropDown().list(), Qt::Key_Escape);
    // Another list keeps its own size.
    clickFilterCell(u"宝贝价格"_s, true);
    QCOMPARE(dropDown().currentRows(), 17);
    QTest::keyClick(&dropDown().list(), Qt::Key_Escape);
}

void TDBGridFilterRowUiTest::upAtTheBeginningAndCtrlUpOpenTheEditor() {
    m_window->goTo(0, u"视频"_s);
    m_window->query().first();
    m_window->key(Qt::Key_Up);
    QVERIFY(editor().hasFocus());
    QCOMPARE(filterRow().editedColumn()->fieldName(), u"视频"_s);
    QTest::keyClick(&editor(), Qt::Key_Escape);
    QVERIFY(!editor().isVisible());
    QVERIFY(m_window->grid->hasFocus());

    // Elsewhere Up moves up a record, Ctrl+Up opens the editor.
    m_window->goTo(5, u"加价幅度"_s);
    m_window->key(Qt::Key_Up);
    QCOMPARE(m_window->query().recNo(), 4);
    QVERIFY(!editor().isVisible());
    m_window->key(Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(filterRow().editedColumn()->fieldName(), u"加价幅度"_s);
    QCOMPARE(m_window->query().recNo(), 4);

    // A record being edited is posted first.
    QTest::keyClick(&editor(), Qt::Key_Down, Qt::ControlModifier);
    m_window->goTo(5, u"视频"_s);
    m_window->type(u"x"_s);
    QVERIFY(m_window->editor().isOpen());
    m_window->key(Qt::Key_Up, Qt::ControlModifier);
    QVERIFY(editor().hasFocus());
    QCOMPARE(m_window->query().state(), store::DataSetState::Browse);
    QCOMPARE(m_window->count(u"视频 = 'x'"_s), 1LL);
}

void TDBGridFilterRowUiTest::keysMoveBetweenFilterCellsAndBackToTheData() {
    clickFilterCell(u"宝贝价格"_s);
    QTest::keyClicks(&editor(), u"12"_s);
    // Tab stores the text without applying it.
    QTest::keyClick(&editor(), Qt::Key_Tab);
    QCOMPARE(filterRow().editedColumn()->fieldName(), u"加价幅度"_s);
    QCOMPARE(filterText(u"宝贝价格"_s), u"12"_s);
    QCOMPARE(rowsShown(), 20);
    QTest::keyClick(&editor(), Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(filterRow().editedColumn()->fieldName(), u"宝贝价格"_s);
    QCOMPARE(editor().selectedText(), u"12"_s);

    // Left and Right leave the cell only from the start or end of the text.
    QTest::keyClick(&editor(), Qt::Key_Right);  // ends the selection
    QTest::keyClick(&editor(), Qt::Key_Left);
    QTest::keyClick(&editor(), Qt::Key_Right);
    QCOMPARE(filterRow().editedColumn()->fieldName(), u"宝贝价格"_s);
    QTest::keyClick(&editor(), Qt::Key_Right);
    QCOMPARE(filterRow().editedColumn()->fieldName(), u"加价幅度"_s);
    QTest::keyClick(&editor(), Qt::Key_Left);  // the empty text starts here
    QCOMPARE(filterRow().editedColumn()->fieldName(), u"宝贝价格"_s);
    QTest::keyClick(&editor(), Qt::Key_Tab);
    QTest::keyClick(&editor(), Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(filterRow().editedColumn()->fieldName(), u"ID"_s);
    QTest::keyClick(&editor(), Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(filterRow().editedColumn()->fieldName(), u"数据ID"_s);
    QVERIFY(editor().isVisible());
    QVERIFY(editor().geometry().right() <= titles()->width());

    // Up stays; Down returns to the data at the topmost row shown.
    QTest::keyClick(&editor(), Qt::Key_Up);
    QVERIFY(editor().hasFocus());
    m_window->query().moveTo(9);
    QTest::keyClick(&editor(), Qt::Key_Down);
    QVERIFY(!editor().isVisible());
    QVERIFY(m_window->grid->hasFocus());
    QCOMPARE(m_window->currentField(), u"数据ID"_s);
    QCOMPARE(m_window->query().recNo(), m_window->grid->rowAt(0));

    // Enter applies every stored text.
    m_window->grid->setFocus();
    clickFilterCell(u"视频"_s);
    QTest::keyClick(&editor(), Qt::Key_Return);
    QCOMPARE(rowsShown(), 1);
    QCOMPARE(m_window->value(u"宝贝价格"_s), u"12"_s);
}

QTEST_MAIN(TDBGridFilterRowUiTest)
#include "TDBGridFilterRowUiTest.moc"
