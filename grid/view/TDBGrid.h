#pragma once

#include <exception>
#include <functional>
#include <memory>

#include <QColor>
#include <QFont>
#include <QTableView>

#include "grid/celltext/TAlignment.h"
#include "grid/columns/TDBGridColumns.h"
#include "grid/features/SearchableGrid.h"
#include "grid/model/CellEditRules.h"
#include "grid/model/GridDataModel.h"
#include "grid/model/TDBGridAllowedOperations.h"
#include "grid/model/TDBGridOptions.h"
#include "grid/model/TGridOptions.h"
#include "grid/sumlist/TDBGridSumList.h"
#include "grid/view/GridKeyHandler.h"

namespace store {
class DataSource;
class Query;
}  // namespace store

namespace grid {

class FilterEditorLink;
class GridCellEditor;
class GridFilterRow;
class GridFooter;
class GridHeader;
class GridIndicator;

// The data grid: shows the dataset of a data source through its column
// list, with a title row, a filter row under the titles, the indicator
// column at the left marking the current record, and footer rows under the
// data rows. The current row is the dataset's cursor; clicking a cell moves
// the cursor there. As the options allow, columns are resized by dragging
// their titles' right borders and moved by dragging their titles.
//
// Rows are drawn from the dataset's rows on screen only, so a dataset of
// millions of rows scrolls as fast as a small one.
class TDBGrid : public QTableView, public SearchableGrid {
    Q_OBJECT

public:
    using TTitleClickEvent = std::function<void(TDBGrid& sender, int aCol, TDBGridColumn& column)>;
    using TCheckTitleBtnEvent =
        std::function<void(TDBGrid& sender, int aCol, TDBGridColumn& column, bool& enabled)>;
    using TNotifyEvent = std::function<void(TDBGrid& sender)>;

    explicit TDBGrid(QWidget* parent = nullptr);
    ~TDBGrid() override;

    // Editing: the options, the operations allowed on records and ReadOnly
    // decide what the keys and the cell editor may do (editRules()). The
    // options also show the titles (dgTitles) and the indicator (dgIndicator).
    TGridOptions options() const { return m_options; }
    void setOptions(TGridOptions options);
    TDBGridAllowedOperations allowedOperations() const { return m_allowedOperations; }
    void setAllowedOperations(TDBGridAllowedOperations operations) {
        m_allowedOperations = operations;
    }
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    CellEditRules editRules() const;
    GridCellEditor& cellEditor() const { return *m_editor; }
    // The filter row's editor and dropdown list.
    GridFilterRow& filterRow() const { return *m_filterRow; }
    // Where Ctrl+Delete's question goes; none restores the default, a
    // confirmation message box with the buttons "OK" and "取消".
    void setConfirmer(Confirmer confirmer);

    // Taking dghMultiSortMarking away keeps only the first sort key.
    // Dragging a title's border resizes its column with dghColumnResize and
    // dgColumnResize; dragging a title moves it with dghColumnMove; column
    // lines reach the footer with dghExtendVertLines.
    TDBGridOptions optionsExt() const { return m_optionsExt; }
    void setOptionsExt(TDBGridOptions options);

    // Title buttons. A click raises titleBtnClick(); with dghAutoSortMarking
    // it also moves the column's sort marker, keeping the other markers when
    // Ctrl is held. A plain click then raises sortMarkingChanged() at once; a
    // Ctrl+click when Ctrl is released in the grid or the grid loses the
    // focus to anything but its cell editor, so several keys sort once.
    void setOnCheckButton(TCheckTitleBtnEvent handler) { m_onCheckButton = std::move(handler); }
    void setOnTitleBtnClick(TTitleClickEvent handler) { m_onTitleBtnClick = std::move(handler); }
    void setOnSortMarkingChanged(TNotifyEvent handler) {
        m_onSortMarkingChanged = std::move(handler);
    }
    // Calls OnTitleBtnClick with the column's index in the column list.
    virtual void titleBtnClick(int aCol, TDBGridColumn& column);
    // Nothing without dghAutoSortMarking; else OnSortMarkingChanged when
    // set, applySorting() when not.
    virtual void sortMarkingChanged();
    // Sorts the open dataset by the sort key list, through the features of
    // the dataset's class; nothing without an open dataset.
    void applySorting();

    // Puts the filter row into effect: the open filter editor's text goes to
    // its column (a text that does not parse raises its error and changes
    // nothing), then OnApplyFilter runs when set, else the features of the
    // dataset's class filter the dataset. Whether that succeeds or fails, the
    // grid then keeps its horizontal scroll position, refills the filter
    // editor, recounts the footers and repaints; an error is raised after.
    void applyFilter();
    void setOnApplyFilter(TNotifyEvent handler) { m_onApplyFilter = std::move(handler); }
    // The filter editor, told about applying; none without one. It must
    // outlive the grid or be set to none first.
    void setFilterEditorLink(FilterEditorLink* link) { m_filterEditorLink = link; }

    TDBGridColumns& columns() { return m_columns; }
    const TDBGridColumns& columns() const override { return m_columns; }
    // Appends a column showing `fieldName`; every other setting keeps its default.
    TDBGridColumn& addColumn(const QString& fieldName, int width, TAlignment titleAlignment);

    // The data source stays attached until it is set to another or none; it
    // must outlive the grid or be set to none first.
    store::DataSource* dataSource() const { return m_model.dataSource(); }
    void setDataSource(store::DataSource* dataSource);
    // The dataset shown: the data source's while it is open, else none.
    store::Query* dataSet() const override { return m_model.dataSet(); }

    // The column whose cell is current in the current row; none before any
    // column is shown.
    TDBGridColumn* currentColumn() const override { return m_currentColumn; }
    void setCurrentColumn(TDBGridColumn& column) override;

    // Finding text: the locate operation searches the dataset through the
    // features of its class, which also open the find dialog (Ctrl+F with
    // dghDialogFind while the data link is active).
    bool locateText(const LocateTextRequest& request) override;
    void showFindDialog(const QString& text, bool modal);
    bool showsWholeDataColumn() const override;
    int screenRowOfCursor() const override;
    void showCursorAtScreenRow(int screenRow) override;
    void reportFailure(std::exception_ptr failure) override { emit failed(failure); }

    QFont titleFont() const;
    void setTitleFont(const QFont& font);
    QFont footerFont() const;
    void setFooterFont(const QFont& font);
    QColor footerColor() const;
    void setFooterColor(const QColor& color);
    int footerRowCount() const;
    void setFooterRowCount(int count);

    // The text of footer row `row` under `column`, from the column's footer
    // settings and the sum list's aggregates; updateFooter() repaints the
    // footer rows alone, which the sum list asks for after every change.
    virtual QString footerText(int row, const TDBGridColumn& column) const;
    void updateFooter();
    // Created inactive; it follows the data source's dataset.
    TDBGridSumList& sumList() { return m_sumList; }
    const TDBGridSumList& sumList() const { return m_sumList; }

    // Data rows share one height, which follows the grid's font.
    int defaultRowHeight() const;

    GridDataModel& gridModel() { return m_model; }
    const GridDataModel& gridModel() const { return m_model; }
    GridHeader& titleHeader() const { return *m_header; }
    GridFooter& footer() const { return *m_footer; }

signals:
    // A dataset operation started by the grid (a click, a key, the cell
    // editor) failed; the window reports it.
    void failed(std::exception_ptr failure);
    // The sum list begins and ends a recount.
    void sumListRecalcAll();
    void sumListAfterRecalcAll();

protected:
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void followCursor(int row);
    void dataSetActiveChanged();
    void columnAdded(TDBGridColumn* column);
    void columnMoved(int from, int to);
    void columnChanged(TDBGridColumn* column, ColumnChange change);
    void sectionMoved(int logicalIndex, int oldVisualIndex, int newVisualIndex);
    void sectionResized(int logicalIndex, int oldSize, int newSize);
    void applyLayout(TDBGridColumn& column);
    void applyFonts();
    void applyOptions();
    void paintExtendedColumnLines();
    TDBGridColumn* firstVisibleColumn() const;
    bool titleButtonEnabled(TDBGridColumn& column);
    void titleButtonClicked(int logicalIndex, Qt::KeyboardModifiers modifiers);
    void focusChanged(QWidget* old, QWidget* now);
    void finishMultiSort();

    // Declared before the columns, whose footers free their aggregates in it.
    TDBGridSumList m_sumList;
    TDBGridColumns m_columns;
    GridDataModel m_model{m_columns};
    GridHeader* m_header;
    GridIndicator* m_indicator;
    GridFooter* m_footer;
    TDBGridColumn* m_currentColumn = nullptr;
    bool m_followingCursor = false;
    bool m_layingOut = false;
    TDBGridOptions m_optionsExt = kDefaultOptionsExt;
    TCheckTitleBtnEvent m_onCheckButton;
    TTitleClickEvent m_onTitleBtnClick;
    TNotifyEvent m_onSortMarkingChanged;
    TNotifyEvent m_onApplyFilter;
    FilterEditorLink* m_filterEditorLink = nullptr;
    // A Ctrl+click on a title waits for Ctrl to go up before sorting.
    bool m_multiSortPending = false;
    TGridOptions m_options = kDefaultOptions;
    TDBGridAllowedOperations m_allowedOperations = kAllAllowedOperations;
    bool m_readOnly = false;
    GridCellEditor* m_editor;
    std::unique_ptr<GridKeyHandler> m_keys;
    std::unique_ptr<GridFilterRow> m_filterRow;
};

}  // namespace grid
