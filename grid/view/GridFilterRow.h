#pragma once

#include <memory>
#include <unordered_map>

#include <QObject>
#include <QPoint>

#include "grid/filterrow/TInplaceFilterEdit.h"
#include "grid/view/FilterEditorLink.h"

class QWidget;

namespace grid {

class FilterDropDown;
class FilterValueList;
class TDBGrid;
class TDBGridColumn;

// The grid's filter row at work: the filter editor, created once and
// placed over the filter cell being edited, its dropdown list and the value
// lists behind it. A click in a filter cell, Up at the beginning of the data
// or Ctrl+Up opens the editor. Enter applies the filter; leaving a cell or
// closing the editor stores its text in the column without applying it.
// Failures are reported through the grid's failed() signal.
class GridFilterRow : public QObject, public FilterEditorLink {
    Q_OBJECT

public:
    explicit GridFilterRow(TDBGrid& grid);
    ~GridFilterRow() override;

    TInplaceFilterEdit& editor() const { return *m_editor; }
    FilterDropDown& dropDown() const { return *m_dropDown; }
    bool isOpen() const { return m_column != nullptr; }

    // Settles a pending record edit and opens the editor over the column's
    // filter cell with its text, all selected. False for a column without a
    // filter cell, or when the record edit could not be settled.
    bool open(TDBGridColumn& column);
    // Stores the text in the column and closes; the data cells get the focus.
    void close();
    // Drops the list of the edited column down; nothing without a list.
    void showDropDown();

    TDBGridColumn* editedColumn() const override { return m_column; }
    QString editorText() const override;
    void refill() override;

private:
    void cellPressed(int logicalIndex, QPoint position, Qt::MouseButton button);
    bool settleRecord();
    void place();
    void hideEditor();
    bool storeText();
    void moveTo(FilterCellMove move);
    void toDataCells(bool plainDown);
    void apply();
    void chosen(int row);
    void clearFilters();
    void orderBy(bool descending);
    void ensureVisible(const TDBGridColumn& column);
    void focusChanged(QWidget* old, QWidget* now);
    bool isFilterCell(const TDBGridColumn& column) const;
    bool withOrderItems(const TDBGridColumn& column) const;
    FilterValueList& valueList(const TDBGridColumn& column);
    template <typename Operation>
    bool run(Operation&& operation);

    TDBGrid& m_grid;
    TInplaceFilterEdit* m_editor;
    FilterDropDown* m_dropDown;
    TDBGridColumn* m_column = nullptr;
    std::unordered_map<const TDBGridColumn*, std::unique_ptr<FilterValueList>> m_valueLists;
};

}  // namespace grid
