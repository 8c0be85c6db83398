#include "grid/view/GridKeyHandler.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>

#include "grid/model/CellEditRules.h"
#include "grid/view/GridCellEditor.h"
#include "grid/view/GridFilterRow.h"
#include "grid/view/TDBGrid.h"
#include "store/Field.h"
#include "store/Query.h"

namespace grid {

namespace {

constexpr Qt::KeyboardModifiers kModifierKeys =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

}  // namespace

template <typename Operation>
void GridKeyHandler::run(Operation&& operation) {
    try {
        operation();
    } catch (...) {
        emit m_grid.failed(std::current_exception());
    }
}

GridKeyHandler::GridKeyHandler(TDBGrid& grid, GridCellEditor& editor)
    : m_grid(grid), m_editor(editor), m_deleteConfirmation(&grid) {
    m_editor.setKeyForwarder([this](const QKeyEvent& event) { keyPress(event); });
    connect(&grid, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index == m_grid.currentIndex())
            m_editor.open(GridCellEditor::Caret::SelectAll);
    });
    connect(qApp, &QApplication::focusChanged, this, &GridKeyHandler::focusChanged);
}

bool GridKeyHandler::keyPress(const QKeyEvent& event) {
    // Enter, Backspace and typed characters work without an open dataset too.
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
        run([this] { enter(); });
        return true;
    }
    if (GridCellEditor::typesText(event) || event.key() == Qt::Key_Backspace) {
        typeIntoCell(event);
        return true;
    }
    store::Query* dataSet = m_grid.dataSet();
    if (!dataSet) {
        // The other keys do nothing without a dataset; Tab keeps the focus in the grid.
        return takesTab(event);
    }
    return navigationKey(event, *dataSet);
}

// Tab and Shift+Tab belong to the grid with dgTabs, unless Alt is held.
bool GridKeyHandler::takesTab(const QKeyEvent& event) const {
    return (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) &&
           !event.modifiers().testFlag(Qt::AltModifier) && m_grid.options().testFlag(dgTabs);
}

bool GridKeyHandler::navigationKey(const QKeyEvent& event, store::Query& dataSet) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & kModifierKeys;
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    switch (event.key()) {
        case Qt::Key_Up:
            // Up at the beginning of the data, or Ctrl+Up on any record,
            // goes to the current column's filter cell.
            if (ctrl || dataSet.bof()) {
                TDBGridColumn* column = m_grid.currentColumn();
                if ((column && m_grid.filterRow().open(*column)) || ctrl)
                    return true;
            }
            run([&] { priorRecord(dataSet); });
            return true;
        case Qt::Key_Down:
            run([&] { nextRecord(dataSet); });
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: {
            if (!takesTab(event))
                return false;
            const bool forward =
                event.key() == Qt::Key_Tab && !modifiers.testFlag(Qt::ShiftModifier);
            run([&] { tab(dataSet, forward); });
            return true;
        }
        case Qt::Key_PageUp:
            run([&] { moveByPage(dataSet, -1); });
            return true;
        case Qt::Key_PageDown:
            run([&] { moveByPage(dataSet, 1); });
            return true;
        case Qt::Key_Home:
            run([&] { ctrl ? dataSet.first() : moveToColumn(0); });
            return true;
        case Qt::Key_End:
            run([&] { ctrl ? dataSet.last() : moveToColumn(m_grid.columns().count() - 1); });
            return true;
        case Qt::Key_Left:
            run([this] { moveColumnBy(-1); });
            return true;
        case Qt::Key_Right:
            run([this] { moveColumnBy(1); });
            return true;
        case Qt::Key_Insert:
            if (modifiers.testFlag(Qt::ShiftModifier))
                return false;
            run([&] { insertRecord(dataSet); });
            return true;
        case Qt::Key_Delete:
            if (modifiers != Qt::ControlModifier)
                return false;
            run([&] { deleteRecord(dataSet); });
            return true;
        case Qt::Key_F2:
            m_editor.open(GridCellEditor::Caret::AtEnd);
            return true;
        case Qt::Key_Escape:
            run([&] { escape(dataSet); });
            return true;
        case Qt::Key_Apostrophe:
            if (modifiers != Qt::ControlModifier)
                return false;
            run([&] { copyFromAbove(dataSet); });
            return true;
        case Qt::Key_F:
            if (modifiers != Qt::ControlModifier || !m_grid.optionsExt().testFlag(dghDialogFind))
                return false;
            run([this] { m_grid.showFindDialog(QString(), true); });
            return true;
        default:
            return false;
    }
}

CellEditRules GridKeyHandler::rules() const {
    return m_grid.editRules();
}

// A record being inserted that neither the dataset nor the editor has changed.
bool GridKeyHandler::isUntouchedInsert(const store::Query& dataSet) const {
    return dataSet.state() == store::DataSetState::Insert && !dataSet.modified() &&
           !m_editor.isEditModified();
}

// Down on the last record appends an empty record; Down on that untouched
// record stays.
void GridKeyHandler::nextRecord(store::Query& dataSet) {
    if (isUntouchedInsert(dataSet)) {
        if (dataSet.eof())
            return;
        dataSet.cancel();
    } else {
        dataSet.next();
    }
    if (dataSet.eof() && rules().canAppendRecord(dataSet))
        dataSet.append();
}

// Up from an untouched record appended at the end discards it.
void GridKeyHandler::priorRecord(store::Query& dataSet) {
    if (isUntouchedInsert(dataSet) && dataSet.eof())
        dataSet.cancel();
    else
        dataSet.prior();
}

// Steps to the next or previous tab stop, wrapping into the next or
// previous record; coming back to the starting column keeps it.
void GridKeyHandler::tab(store::Query& dataSet, bool forward) {
    TDBGridColumn* start = m_grid.currentColumn();
    if (!start)
        return;
    m_editor.writeToField();
    const TDBGridColumns& columns = m_grid.columns();
    int index = columns.indexOf(*start);
    do {
        index += forward ? 1 : -1;
        if (index >= columns.count()) {
            nextRecord(dataSet);
            index = 0;
        } else if (index < 0) {
            priorRecord(dataSet);
            index = columns.count() - 1;
        }
    } while (&columns.at(index) != start && !CellEditRules::isTabStop(columns.at(index)));
    if (&columns.at(index) != start)
        m_grid.setCurrentColumn(columns.at(index));
}

// Moves by a page of rows; the current row keeps its place on the screen.
void GridKeyHandler::moveByPage(store::Query& dataSet, int direction) {
    QScrollBar* bar = m_grid.verticalScrollBar();
    const int top = bar->value();
    const int moved = dataSet.moveBy(direction * std::max(1, bar->pageStep()));
    bar->setValue(top + moved);
}

// Makes the visible column nearest to `index` in the column list current,
// looking towards the inside of the list.
void GridKeyHandler::moveToColumn(int index) {
    const TDBGridColumns& columns = m_grid.columns();
    const int step = index == 0 ? 1 : -1;
    for (; index >= 0 && index < columns.count(); index += step) {
        if (columns.at(index).visible()) {
            m_editor.writeToField();
            m_grid.setCurrentColumn(columns.at(index));
            return;
        }
    }
}

void GridKeyHandler::moveColumnBy(int step) {
    const TDBGridColumn* current = m_grid.currentColumn();
    if (!current)
        return;
    const TDBGridColumns& columns = m_grid.columns();
    for (int index = columns.indexOf(*current) + step; index >= 0 && index < columns.count();
         index += step) {
        if (columns.at(index).visible()) {
            m_editor.writeToField();
            m_grid.setCurrentColumn(columns.at(index));
            return;
        }
    }
}

void GridKeyHandler::insertRecord(store::Query& dataSet) {
    if (!rules().canInsertRecord(dataSet))
        return;
    if (m_grid.allowedOperations().testFlag(alopInsert))
        dataSet.insert();
    else
        dataSet.append();
}

void GridKeyHandler::deleteRecord(store::Query& dataSet) {
    if (!rules().canDeleteRecord(dataSet))
        return;
    if (m_grid.options().testFlag(dgConfirmDelete) && !m_deleteConfirmation.ask())
        return;
    // The question may have outlasted the dataset.
    if (m_grid.dataSet() == &dataSet)
        dataSet.remove();
}

// Enter writes the text and closes the editor, or opens it. An editor that
// is always shown stays open with its text pending.
void GridKeyHandler::enter() {
    if (m_grid.options().testFlag(dgAlwaysShowEditor)) {
        m_editor.open(GridCellEditor::Caret::SelectAll);
        return;
    }
    m_editor.writeToField();
    if (m_editor.isOpen())
        m_editor.close();
    else
        m_editor.open(GridCellEditor::Caret::SelectAll);
}

void GridKeyHandler::escape(store::Query& dataSet) {
    if (m_editor.isEditModified())
        m_editor.reload();
    else
        dataSet.cancel();
    if (!m_grid.options().testFlag(dgAlwaysShowEditor))
        m_editor.close();
}

// Ctrl+': the current column's value from the record shown above the current one.
void GridKeyHandler::copyFromAbove(store::Query& dataSet) {
    const int row = m_grid.currentIndex().row();
    const TDBGridColumn* column = m_grid.currentColumn();
    if (row <= 0 || row == m_grid.rowAt(0) || !column || !column->field())
        return;
    if (!m_editor.beginChange())
        return;
    store::Field& field = *column->field();
    field.setValue(dataSet.rowValue(row - 1, field.index()));
    m_editor.reload();
    m_editor.open(GridCellEditor::Caret::SelectAll);
}

// A typed character or Backspace opens the editor, which takes the key.
void GridKeyHandler::typeIntoCell(const QKeyEvent& event) {
    if (!m_editor.isOpen())
        m_editor.open(GridCellEditor::Caret::SelectAll);
    if (!m_editor.isOpen())
        return;
    QKeyEvent key(QEvent::KeyPress, event.key(), event.modifiers(), event.text(),
                  event.isAutoRepeat(), static_cast<ushort>(event.count()));
    QCoreApplication::sendEvent(&m_editor, &key);
}

// With dgAlwaysShowEditor the editor opens as the grid takes the focus.
// Leaving the grid for another control of the window discards an untouched
// new record, or puts pending editor text into its field; if that fails the
// grid takes the focus back.
void GridKeyHandler::focusChanged(QWidget* old, QWidget* now) {
    if (now == &m_grid && m_grid.options().testFlag(dgAlwaysShowEditor)) {
        m_editor.open(GridCellEditor::Caret::SelectAll);
        return;
    }
    if (!old || !now || !isInGrid(old) || isInGrid(now) || now->window() != m_grid.window())
        return;
    store::Query* dataSet = m_grid.dataSet();
    if (!dataSet)
        return;
    try {
        if (m_grid.options().testFlag(dgCancelOnExit) && isUntouchedInsert(*dataSet))
            dataSet->cancel();
        else
            m_editor.writeToField();
    } catch (...) {
        m_grid.setFocus();
        emit m_grid.failed(std::current_exception());
    }
}

bool GridKeyHandler::isInGrid(const QWidget* widget) const {
    return widget == &m_grid || m_grid.isAncestorOf(widget);
}

}  // namespace grid
