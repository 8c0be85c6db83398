#include "grid/view/GridFilterRow.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>

#include "grid/filterrow/FilterDropDown.h"
#include "grid/filterrow/FilterValueList.h"
#include "grid/look/GridMetrics.h"
#include "grid/model/TDBGridCenter.h"
#include "grid/view/GridCellEditor.h"
#include "grid/view/GridHeader.h"
#include "grid/view/TDBGrid.h"
#include "store/Query.h"

namespace grid {

template <typename Operation>
bool GridFilterRow::run(Operation&& operation) {
    try {
        operation();
        return true;
    } catch (...) {
        emit m_grid.failed(std::current_exception());
        return false;
    }
}

GridFilterRow::GridFilterRow(TDBGrid& grid)
    : m_grid(grid),
      m_editor(new TInplaceFilterEdit(grid.titleHeader().viewport())),
      m_dropDown(new FilterDropDown(m_editor)) {
    GridHeader& header = grid.titleHeader();
    connect(&header, &GridHeader::filterCellPressed, this, &GridFilterRow::cellPressed);
    connect(&header, &QHeaderView::sectionResized, this, &GridFilterRow::place);
    connect(&header, &QHeaderView::sectionMoved, this, &GridFilterRow::place);
    connect(&header, &QHeaderView::geometriesChanged, this, &GridFilterRow::place);
    connect(grid.horizontalScrollBar(), &QScrollBar::valueChanged, this, &GridFilterRow::place);
    connect(m_editor, &TInplaceFilterEdit::applyRequested, this, &GridFilterRow::apply);
    connect(m_editor, &TInplaceFilterEdit::moveRequested, this, &GridFilterRow::moveTo);
    connect(m_editor, &TInplaceFilterEdit::dataRequested, this, &GridFilterRow::toDataCells);
    connect(m_editor, &TInplaceFilterEdit::closeRequested, this, [this] {
        // Esc leaves the text as it was stored.
        refill();
        close();
    });
    connect(m_editor, &TInplaceFilterEdit::dropDownRequested, this, &GridFilterRow::showDropDown);
    connect(m_dropDown, &FilterDropDown::chosen, this, &GridFilterRow::chosen);
    connect(qApp, &QApplication::focusChanged, this, &GridFilterRow::focusChanged);
}

GridFilterRow::~GridFilterRow() = default;

QString GridFilterRow::editorText() const {
    return m_editor->text();
}

bool GridFilterRow::isFilterCell(const TDBGridColumn& column) const {
    return column.visible() && column.stFilter().visible();
}

void GridFilterRow::cellPressed(int logicalIndex, QPoint position, Qt::MouseButton button) {
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    if (!open(m_grid.gridModel().columnAt(logicalIndex)) || button != Qt::LeftButton)
        return;
    // The left click goes on to the editor: on the button it drops the list
    // down, on the text it places the caret.
    const QPoint inEditor = m_editor->mapFrom(m_grid.titleHeader().viewport(), position);
    if (m_editor->buttonRect().contains(inEditor)) {
        showDropDown();
        return;
    }
    const QPointF global = m_editor->mapToGlobal(QPointF(inEditor));
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, QPointF(inEditor), global, Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(m_editor, &click);
    }
}

bool GridFilterRow::open(TDBGridColumn& column) {
    if (!isFilterCell(column))
        return false;
    if (m_column && m_column != &column && !storeText())
        return false;
    if (!settleRecord())
        return false;
    m_column = &column;
    m_editor->setFont(m_grid.font());
    m_editor->setBackground(filterCellColor(m_grid.palette()));
    m_editor->setTabsMove(m_grid.options().testFlag(dgTabs));
    m_editor->setHasButton(column.stFilter().listSource() != nullptr);
    ensureVisible(column);
    refill();
    m_editor->setFocus(Qt::OtherFocusReason);
    return true;
}

// A record being edited is posted, or cancelled when nothing was changed;
// the cell editor closes.
bool GridFilterRow::settleRecord() {
    return run([this] {
        GridCellEditor& cellEditor = m_grid.cellEditor();
        if (cellEditor.isOpen())
            cellEditor.writeToField();
        if (store::Query* dataSet = m_grid.dataSet(); dataSet && dataSet->isEditing()) {
            if (dataSet->modified())
                dataSet->post();
            else
                dataSet->cancel();
        }
        cellEditor.close();
    });
}

void GridFilterRow::refill() {
    if (!m_column)
        return;
    m_editor->setText(m_column->stFilter().filterText());
    m_editor->selectAll();
    place();
}

void GridFilterRow::place() {
    if (!m_column)
        return;
    const QRect cell =
        m_grid.titleHeader().filterCellRect(m_grid.gridModel().modelColumnOf(*m_column));
    if (cell.isNull()) {
        m_editor->hide();
        return;
    }
    // The cell's right and bottom lines stay visible.
    m_editor->setGeometry(cell.adjusted(0, 0, -1, -1));
    m_editor->show();
}

void GridFilterRow::ensureVisible(const TDBGridColumn& column) {
    const GridHeader& header = m_grid.titleHeader();
    const int logicalIndex = m_grid.gridModel().modelColumnOf(column);
    QScrollBar* bar = m_grid.horizontalScrollBar();
    for (int steps = bar->maximum() - bar->minimum(); steps >= 0; --steps) {
        const int left = header.sectionViewportPosition(logicalIndex);
        const int right = left + header.sectionSize(logicalIndex);
        if (left < 0 && bar->value() > bar->minimum())
            bar->setValue(bar->value() - 1);
        else if (right > header.viewport()->width() && left > 0 && bar->value() < bar->maximum())
            bar->setValue(bar->value() + 1);
        else
            break;
    }
}

bool GridFilterRow::storeText() {
    TDBGridColumn* column = m_column;
    return run([this, column] { column->stFilter().assignFilterText(m_editor->text()); });
}

void GridFilterRow::close() {
    if (!m_column)
        return;
    storeText();
    hideEditor();
}

void GridFilterRow::hideEditor() {
    m_column = nullptr;
    m_dropDown->hide();
    const bool focused = m_editor->hasFocus();
    m_editor->hide();
    if (focused)
        m_grid.setFocus(Qt::OtherFocusReason);
}

void GridFilterRow::moveTo(FilterCellMove move) {
    const TDBGridColumns& columns = m_grid.columns();
    const int count = columns.count();
    const int current = columns.indexOf(*m_column);
    int index = 0;
    int step = 1;
    switch (move) {
        case FilterCellMove::Next:
            index = current + 1;
            break;
        case FilterCellMove::Previous:
            index = current - 1;
            step = -1;
            break;
        case FilterCellMove::First:
            break;
        case FilterCellMove::Last:
            index = count - 1;
            step = -1;
            break;
    }
    for (; index >= 0 && index < count; index += step) {
        if (isFilterCell(columns.at(index))) {
            open(columns.at(index));
            return;
        }
    }
}

void GridFilterRow::toDataCells(bool plainDown) {
    TDBGridColumn& column = *m_column;
    close();
    m_grid.setCurrentColumn(column);
    if (plainDown) {
        run([this] {
            store::Query* dataSet = m_grid.dataSet();
            const int top = m_grid.rowAt(0);
            if (dataSet && top >= 0)
                dataSet->moveTo(top);
        });
    }
    m_grid.setFocus(Qt::OtherFocusReason);
}

void GridFilterRow::apply() {
    run([this] { m_grid.applyFilter(); });
}

void GridFilterRow::showDropDown() {
    if (!m_column || !m_column->stFilter().listSource())
        return;
    run([this] {
        const TSTColumnFilter& filter = m_column->stFilter();
        FilterDropDownModel& model = m_dropDown->model();
        model.setItems(withOrderItems(*m_column), valueList(*m_column).values());
        // A list narrower than its cell would cut the values short.
        const int width = std::max(
            filter.dropDownWidth() > 0 ? filter.dropDownWidth() : FilterDropDown::kDefaultWidth,
            m_editor->width());
        m_dropDown->popUp(*m_editor, width, filter.dropDownRows(),
                          model.rowOfValue(m_editor->text()));
    });
}

bool GridFilterRow::withOrderItems(const TDBGridColumn& column) const {
    return m_grid.optionsExt().testFlag(dghAutoSortMarking) && column.title().titleButton();
}

FilterValueList& GridFilterRow::valueList(const TDBGridColumn& column) {
    const TSTColumnFilter& filter = column.stFilter();
    const QString fieldName =
        filter.listField().isEmpty() ? column.fieldName() : filter.listField();
    std::unique_ptr<FilterValueList>& list = m_valueLists[&column];
    if (!list || list->listSource() != filter.listSource() || list->fieldName() != fieldName)
        list = std::make_unique<FilterValueList>(filter.listSource(), fieldName);
    return *list;
}

void GridFilterRow::chosen(int row) {
    if (!m_column)
        return;
    TSTColumnFilter& filter = m_column->stFilter();
    filter.setDropDownWidth(m_dropDown->currentWidth());
    filter.setDropDownRows(m_dropDown->currentRows());
    const FilterDropDownModel& model = m_dropDown->model();
    switch (model.itemAt(row)) {
        case FilterItem::Value:
            m_editor->setText(model.textAt(row));
            break;
        case FilterItem::Empty:
            m_editor->setText(QStringLiteral("=Null"));
            break;
        case FilterItem::NotEmpty:
            m_editor->setText(QStringLiteral("<>Null"));
            break;
        case FilterItem::All:
            m_editor->clear();
            break;
        case FilterItem::ClearFilter:
            clearFilters();
            return;
        case FilterItem::OrderByAscending:
            orderBy(false);
            return;
        case FilterItem::OrderByDescending:
            orderBy(true);
            return;
        case FilterItem::Separator:
            return;
    }
    m_editor->selectAll();
    if (TDBGridCenter::instance().applyFilterOnCloseUp())
        apply();
}

// Every column's filter is emptied and the empty filter applied. The text
// in the editor is dropped with the rest, so a text that would not parse
// does not stop the clearing.
void GridFilterRow::clearFilters() {
    hideEditor();
    run([this] {
        TDBGridColumns& columns = m_grid.columns();
        for (int i = 0; i < columns.count(); ++i) {
            TSTColumnFilter& filter = columns.at(i).stFilter();
            filter.setKeyValues(QVariant());
            filter.assignFilterText(QString());
        }
        m_grid.titleHeader().viewport()->update();
        m_grid.applyFilter();
    });
}

// The column becomes the only sort key, ascending or descending.
void GridFilterRow::orderBy(bool descending) {
    TDBGridColumn& column = *m_column;
    run([this, &column, descending] {
        TDBGridColumns& columns = m_grid.columns();
        for (int i = 0; i < columns.count(); ++i)
            columns.at(i).title().setSortMarker(smNone);
        column.title().setSortMarker(descending ? smUp : smDown);
        m_grid.sortMarkingChanged();
    });
}

// Focus going anywhere but to the editor's own list closes it.
void GridFilterRow::focusChanged(QWidget* old, QWidget* now) {
    if (!m_column || old != m_editor || !now)
        return;
    if (now == m_dropDown || m_dropDown->isAncestorOf(now))
        return;
    close();
}

}  // namespace grid
