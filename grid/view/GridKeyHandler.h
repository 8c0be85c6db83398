#pragma once

#include <QObject>

#include "grid/confirm/DeleteConfirmation.h"

class QKeyEvent;
class QWidget;

namespace store {
class Query;
}  // namespace store

namespace grid {

class CellEditRules;
class GridCellEditor;
class TDBGrid;

// The grid's keyboard: moving between records and columns, adding and
// deleting records, and opening, confirming and undoing the cell editor.
// Every key tests the grid's options and the dataset first and does nothing
// when they forbid it. Failures of the dataset are reported through the
// grid's failed() signal; the record stays in its state.
//
// It also settles the editor when the keyboard focus leaves the grid for
// another control of the window. Its connections end with it, so the grid
// lets it go before its editor.
class GridKeyHandler : public QObject {
public:
    GridKeyHandler(TDBGrid& grid, GridCellEditor& editor);

    // Where Ctrl+Delete's question goes; none restores the confirmation box.
    void setConfirmer(Confirmer confirmer) {
        m_deleteConfirmation.setConfirmer(std::move(confirmer));
    }

    // Handles a key pressed in the grid or handed on by its editor; false
    // when the key is not one of the grid's.
    bool keyPress(const QKeyEvent& event);

private:
    bool navigationKey(const QKeyEvent& event, store::Query& dataSet);
    bool takesTab(const QKeyEvent& event) const;
    CellEditRules rules() const;
    bool isUntouchedInsert(const store::Query& dataSet) const;
    void nextRecord(store::Query& dataSet);
    void priorRecord(store::Query& dataSet);
    void tab(store::Query& dataSet, bool forward);
    void moveByPage(store::Query& dataSet, int direction);
    void moveToColumn(int index);
    void moveColumnBy(int step);
    void insertRecord(store::Query& dataSet);
    void deleteRecord(store::Query& dataSet);
    void enter();
    void escape(store::Query& dataSet);
    void copyFromAbove(store::Query& dataSet);
    void typeIntoCell(const QKeyEvent& event);
    void focusChanged(QWidget* old, QWidget* now);
    bool isInGrid(const QWidget* widget) const;
    template <typename Operation>
    void run(Operation&& operation);

    TDBGrid& m_grid;
    GridCellEditor& m_editor;
    DeleteConfirmation m_deleteConfirmation;
};

}  // namespace grid
