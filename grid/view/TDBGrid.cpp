#include "grid/view/TDBGrid.h"

#include <algorithm>

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>

#include "grid/features/DatasetFeaturesRegistry.h"
#include "grid/features/FindProcedures.h"
#include "grid/find/FindInstall.h"
#include "grid/find/GridTextSearch.h"
#include "grid/footer/FooterText.h"
#include "grid/footer/GridFooter.h"
#include "grid/look/GridMetrics.h"
#include "grid/look/SongTiFont.h"
#include "grid/view/FilterEditorLink.h"
#include "grid/view/GridCellDelegate.h"
#include "grid/view/GridCellEditor.h"
#include "grid/view/GridFilterRow.h"
#include "grid/view/GridHeader.h"
#include "grid/view/GridIndicator.h"
#include "store/DataSource.h"
#include "store/Error.h"
#include "store/Query.h"

namespace grid {

TDBGrid::TDBGrid(QWidget* parent)
    : QTableView(parent),
      m_header(new GridHeader(m_model, this)),
      m_indicator(new GridIndicator(m_model, this)),
      m_footer(new GridFooter(
          *this, m_model,
          [this](int row, const TDBGridColumn& column) { return footerText(row, column); })),
      m_editor(nullptr) {
    setFont(songTiFont(16));
    m_header->setFont(songTiFont(16));
    m_footer->setFooterFont(songTiFont(16));
    setHorizontalHeader(m_header);
    setVerticalHeader(m_indicator);
    setModel(&m_model);
    setItemDelegate(new GridCellDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    viewport()->setObjectName(QStringLiteral("DataArea"));
    m_columns.setSumList(&m_sumList);

    connect(&m_model, &GridDataModel::cursorMoved, this, &TDBGrid::followCursor);
    connect(&m_model, &GridDataModel::dataSetActiveChanged, this, &TDBGrid::dataSetActiveChanged);
    connect(&m_columns, &TDBGridColumns::columnAdded, this, &TDBGrid::columnAdded);
    connect(&m_columns, &TDBGridColumns::columnMoved, this, &TDBGrid::columnMoved);
    connect(&m_columns, &TDBGridColumns::columnChanged, this, &TDBGrid::columnChanged);
    connect(m_header, &QHeaderView::sectionMoved, this, &TDBGrid::sectionMoved);
    connect(m_header, &QHeaderView::sectionResized, this, &TDBGrid::sectionResized);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, m_footer,
            qOverload<>(&QWidget::update));
    connect(&m_sumList, &TDBGridSumList::sumListChanged, this, &TDBGrid::updateFooter);
    connect(&m_sumList, &TDBGridSumList::recalcAll, this, &TDBGrid::sumListRecalcAll);
    connect(&m_sumList, &TDBGridSumList::afterRecalcAll, this, &TDBGrid::sumListAfterRecalcAll);
    m_header->setTitleButtonCheck(
        [this](TDBGridColumn& column) { return titleButtonEnabled(column); });
    connect(m_header, &GridHeader::titleButtonClicked, this, &TDBGrid::titleButtonClicked);
    connect(qApp, &QApplication::focusChanged, this, &TDBGrid::focusChanged);
    // Tab reaches keyPressEvent(), which lets it move the focus on without dgTabs.
    setTabKeyNavigation(true);
    installFindProcedures();
    m_editor = new GridCellEditor(*this);
    m_keys = std::make_unique<GridKeyHandler>(*this, *m_editor);
    m_filterRow = std::make_unique<GridFilterRow>(*this);
    setFilterEditorLink(m_filterRow.get());
    applyFonts();
    applyOptions();
}

TDBGrid::~TDBGrid() {
    // The sum list lets go of the dataset first, so that the footers freeing
    // their aggregates as the columns go recount nothing.
    m_sumList.setDataSet(nullptr);
    // The focus leaves the grid while its widget part is destroyed, after
    // this destructor; by then the grid must no longer hear of it.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    // The key handler's connections end first; the editor then goes while
    // the grid is whole.
    setFilterEditorLink(nullptr);
    m_filterRow.reset();
    m_keys.reset();
    delete m_editor;
}

TDBGridColumn& TDBGrid::addColumn(const QString& fieldName, int width, TAlignment titleAlignment) {
    TDBGridColumn& column = m_columns.add();
    column.setFieldName(fieldName);
    column.setWidth(width);
    column.title().setAlignment(titleAlignment);
    return column;
}

void TDBGrid::setOptions(TGridOptions options) {
    m_options = options;
    applyOptions();
}

void TDBGrid::setOptionsExt(TDBGridOptions options) {
    m_optionsExt = options;
    m_columns.sortKeys().setMultiSortMarking(options.testFlag(dghMultiSortMarking));
    applyOptions();
}

void TDBGrid::applyOptions() {
    const bool resizable =
        m_options.testFlag(dgColumnResize) && m_optionsExt.testFlag(dghColumnResize);
    m_header->setSectionResizeMode(resizable ? QHeaderView::Interactive : QHeaderView::Fixed);
    m_header->setSectionsMovable(m_optionsExt.testFlag(dghColumnMove));
    m_header->setTitlesShown(m_options.testFlag(dgTitles));
    if (m_indicator->isHidden() == m_options.testFlag(dgIndicator))
        m_indicator->setHidden(!m_options.testFlag(dgIndicator));
    updateGeometries();
    viewport()->update();
}

void TDBGrid::titleBtnClick(int aCol, TDBGridColumn& column) {
    if (m_onTitleBtnClick)
        m_onTitleBtnClick(*this, aCol, column);
}

void TDBGrid::sortMarkingChanged() {
    if (!m_optionsExt.testFlag(dghAutoSortMarking))
        return;
    if (m_onSortMarkingChanged)
        m_onSortMarkingChanged(*this);
    else
        applySorting();
}

void TDBGrid::applySorting() {
    store::Query* query = dataSet();
    if (!query)
        return;
    if (TDatasetFeatures* features = resolveDatasetFeatures(*query))
        features->applySorting(m_columns.sortKeys(), *query);
}

void TDBGrid::applyFilter() {
    if (m_filterEditorLink) {
        if (TDBGridColumn* column = m_filterEditorLink->editedColumn())
            column->stFilter().assignFilterText(m_filterEditorLink->editorText());
    }
    const int scrolledTo = horizontalScrollBar()->value();
    std::exception_ptr failure;
    try {
        if (m_onApplyFilter) {
            m_onApplyFilter(*this);
        } else if (store::Query* query = dataSource() ? dataSource()->dataSet() : nullptr) {
            if (TDatasetFeatures* features = resolveDatasetFeatures(*query))
                features->applyFilter(m_columns, *query, query->isActive());
        }
    } catch (...) {
        failure = std::current_exception();
    }
    // Filtering changes rows, never columns: the same scroll position keeps
    // the same column at the left.
    horizontalScrollBar()->setValue(scrolledTo);
    if (m_filterEditorLink && m_filterEditorLink->editedColumn())
        m_filterEditorLink->refill();
    if (m_sumList.active())
        m_sumList.recalculateAll();
    viewport()->update();
    m_header->viewport()->update();
    m_footer->update();
    if (failure)
        std::rethrow_exception(failure);
}

bool TDBGrid::locateText(const LocateTextRequest& request) {
    store::Query* query = dataSet();
    if (!query)
        return false;
    if (TDatasetFeatures* features = resolveDatasetFeatures(*query))
        return features->locateText(*this, request);
    return locateTextInGrid(*this, request);
}

void TDBGrid::showFindDialog(const QString& text, bool modal) {
    store::Query* query = dataSet();
    if (TDatasetFeatures* features = query ? resolveDatasetFeatures(*query) : nullptr)
        features->showFindDialog(*this, text, modal);
    else
        findProcedures().showFindDialog(*this, text, modal);
}

bool TDBGrid::showsWholeDataColumn() const {
    if (!isVisible())
        return false;
    const int areaWidth = viewport()->width();
    for (int modelColumn = 0; modelColumn < m_model.columnCount(); ++modelColumn) {
        if (m_header->isSectionHidden(modelColumn) || !m_model.fieldAt(modelColumn))
            continue;
        const int left = columnViewportPosition(modelColumn);
        if (left >= 0 && left + columnWidth(modelColumn) <= areaWidth)
            return true;
    }
    return false;
}

int TDBGrid::screenRowOfCursor() const {
    const int row = m_model.currentRow();
    const int top = rowAt(0);
    const int screenRow = row - top;
    return row < 0 || top < 0 || screenRow >= verticalScrollBar()->pageStep() ? -1 : screenRow;
}

void TDBGrid::showCursorAtScreenRow(int screenRow) {
    const int row = m_model.currentRow();
    if (row >= 0)
        verticalScrollBar()->setValue(row - screenRow);
}

bool TDBGrid::titleButtonEnabled(TDBGridColumn& column) {
    bool enabled = true;
    if (m_onCheckButton)
        m_onCheckButton(*this, column.index(), column, enabled);
    return enabled;
}

void TDBGrid::titleButtonClicked(int logicalIndex, Qt::KeyboardModifiers modifiers) {
    TDBGridColumn& column = m_model.columnAt(logicalIndex);
    try {
        titleBtnClick(column.index(), column);
        m_multiSortPending = modifiers.testFlag(Qt::ControlModifier);
        if (m_optionsExt.testFlag(dghAutoSortMarking))
            m_columns.sortKeys().stepSortMarker(column, m_multiSortPending);
        if (!m_multiSortPending)
            sortMarkingChanged();
    } catch (...) {
        emit failed(std::current_exception());
    }
}

CellEditRules TDBGrid::editRules() const {
    return CellEditRules(m_options, m_allowedOperations, m_readOnly);
}

void TDBGrid::setConfirmer(Confirmer confirmer) {
    m_keys->setConfirmer(std::move(confirmer));
}

void TDBGrid::keyPressEvent(QKeyEvent* event) {
    // The grid's own keys replace the table view's; others go to the parent.
    if (!m_keys->keyPress(*event))
        event->ignore();
}

void TDBGrid::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Control && m_multiSortPending)
        finishMultiSort();
    QTableView::keyReleaseEvent(event);
}

void TDBGrid::focusChanged(QWidget* old, QWidget* now) {
    // The cell editor lives in the data area: focus moving there stays in the grid.
    const auto inGrid = [this](const QWidget* widget) {
        return widget && (widget == this || viewport()->isAncestorOf(widget));
    };
    if (m_multiSortPending && inGrid(old) && !inGrid(now))
        finishMultiSort();
}

void TDBGrid::finishMultiSort() {
    m_multiSortPending = false;
    try {
        sortMarkingChanged();
    } catch (...) {
        emit failed(std::current_exception());
    }
}

void TDBGrid::setDataSource(store::DataSource* dataSource) {
    m_model.setDataSource(dataSource);
}

void TDBGrid::setCurrentColumn(TDBGridColumn& column) {
    m_currentColumn = &column;
    followCursor(m_model.currentRow());
}

QFont TDBGrid::titleFont() const {
    return m_header->font();
}

void TDBGrid::setTitleFont(const QFont& font) {
    m_header->setFont(font);
    updateGeometries();
}

QFont TDBGrid::footerFont() const {
    return m_footer->footerFont();
}

void TDBGrid::setFooterFont(const QFont& font) {
    m_footer->setFooterFont(font);
    updateGeometries();
}

QColor TDBGrid::footerColor() const {
    return m_footer->footerColor();
}

void TDBGrid::setFooterColor(const QColor& color) {
    m_footer->setFooterColor(color);
}

int TDBGrid::footerRowCount() const {
    return m_footer->rowCount();
}

void TDBGrid::setFooterRowCount(int count) {
    m_footer->setRowCount(count);
    updateGeometries();
}

QString TDBGrid::footerText(int, const TDBGridColumn& column) const {
    try {
        return grid::footerText(column.footer(), column.fieldName(), dataSet(),
                                m_sumList.sumCollection());
    } catch (const store::Error& error) {
        // A field-value footer naming a field the dataset lacks; painting
        // cannot report it, so the cell shows the message.
        return error.message();
    }
}

void TDBGrid::updateFooter() {
    m_footer->update();
}

int TDBGrid::defaultRowHeight() const {
    return cellHeight(font());
}

void TDBGrid::updateGeometries() {
    if (m_layingOut)
        return;
    const QScopedValueRollback layingOut(m_layingOut, true);
    // The table view lays out its headers and scroll range for a viewport
    // that reaches the bottom; the footer then takes the viewport's lower
    // margin, and the vertical range is set again for the shorter viewport.
    // Showing or hiding a scroll bar changes the viewport once more, so the
    // layout repeats until it holds.
    const int footerHeight = m_footer->sizeHint().height();
    const int rowHeight = std::max(1, defaultRowHeight());
    const int topRow = verticalScrollBar()->value();
    for (int pass = 0; pass < 3; ++pass) {
        QTableView::updateGeometries();
        const QMargins margins = viewportMargins();
        setViewportMargins(margins.left(), margins.top(), margins.right(), footerHeight);
        const QRect laidOut = viewport()->geometry();
        const int fullRows = std::max(1, laidOut.height() / rowHeight);
        verticalScrollBar()->setPageStep(fullRows);
        verticalScrollBar()->setRange(0, std::max(0, m_model.rowCount() - fullRows));
        if (viewport()->geometry() == laidOut)
            break;
    }
    // The table view's own pass clamps the top row to its range for the
    // taller viewport, which would push the last rows out of view; the top
    // row is set again within the grid's range, and the rows start whole.
    verticalScrollBar()->setValue(topRow);
    verticalHeader()->setOffsetToSectionPosition(verticalScrollBar()->value());
    const QRect area = viewport()->geometry();
    const int indicatorWidth = viewportMargins().left();
    m_indicator->setGeometry(area.left() - indicatorWidth, area.top(), indicatorWidth,
                             area.height());
    m_footer->setGeometry(area.left() - indicatorWidth, area.bottom() + 1,
                          indicatorWidth + area.width(), footerHeight);
    m_footer->update();
}

void TDBGrid::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    // At the end of its range the table view lines the last row up with the
    // bottom, which cuts the top row in half; the grid keeps whole rows at
    // the top there too.
    const QScrollBar* bar = verticalScrollBar();
    if (dy != 0 && bar->value() == bar->maximum() && bar->maximum() > 0) {
        verticalHeader()->setOffsetToSectionPosition(bar->value());
        viewport()->update();
    }
}

void TDBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (!current.isValid() || m_followingCursor || m_model.isNotifying())
        return;
    m_currentColumn = &m_model.columnAt(current.column());
    store::Query* query = dataSet();
    if (!query || current.row() == query->recNo())
        return;
    try {
        query->moveTo(current.row());
    } catch (...) {
        emit failed(std::current_exception());
        // The cursor stayed; the current cell goes back to it.
        QMetaObject::invokeMethod(
            this, [this] { followCursor(m_model.currentRow()); }, Qt::QueuedConnection);
    }
}

void TDBGrid::followCursor(int row) {
    const QScopedValueRollback following(m_followingCursor, true);
    if (!m_currentColumn)
        m_currentColumn = firstVisibleColumn();
    if (row < 0 || row >= m_model.rowCount() || !m_currentColumn) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = m_model.index(row, m_model.modelColumnOf(*m_currentColumn));
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

void TDBGrid::dataSetActiveChanged() {
    m_sumList.bindDataSource(dataSource());
    // A dataset given back shows its rows from its current record on.
    const int row = m_model.currentRow();
    if (row >= 0 && row < m_model.rowCount()) {
        followCursor(row);
        scrollTo(m_model.index(row, currentIndex().column()), QAbstractItemView::PositionAtTop);
    }
    m_header->viewport()->update();
    m_footer->update();
}

void TDBGrid::columnAdded(TDBGridColumn* column) {
    applyLayout(*column);
}

void TDBGrid::columnMoved(int from, int to) {
    const int modelColumn = m_model.modelColumnOf(m_columns.at(to));
    if (m_header->logicalIndex(to) != modelColumn)
        m_header->moveSection(from, to);
}

void TDBGrid::columnChanged(TDBGridColumn* column, ColumnChange change) {
    switch (change) {
        case ColumnChange::Layout:
            applyLayout(*column);
            break;
        case ColumnChange::Field:
        case ColumnChange::Footer:
            m_footer->update();
            break;
        case ColumnChange::Title:
        case ColumnChange::Filter:
            m_header->viewport()->update();
            break;
    }
}

void TDBGrid::sectionMoved(int logicalIndex, int oldVisualIndex, int newVisualIndex) {
    if (&m_columns.at(newVisualIndex) != &m_model.columnAt(logicalIndex))
        m_columns.move(oldVisualIndex, newVisualIndex);
    m_footer->update();
}

void TDBGrid::sectionResized(int logicalIndex, int, int newSize) {
    if (m_header->isSectionHidden(logicalIndex))
        return;
    m_model.columnAt(logicalIndex).setWidth(newSize);
    m_footer->update();
}

void TDBGrid::applyLayout(TDBGridColumn& column) {
    const int modelColumn = m_model.modelColumnOf(column);
    m_header->resizeSection(modelColumn, column.width());
    m_header->setSectionHidden(modelColumn, !column.visible());
    if (!m_currentColumn && column.visible())
        setCurrentColumn(column);
    m_footer->update();
}

void TDBGrid::applyFonts() {
    m_indicator->setDefaultSectionSize(defaultRowHeight());
    m_header->setFilterFont(font());
    updateGeometries();
}

void TDBGrid::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyFonts();
}

void TDBGrid::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (m_optionsExt.testFlag(dghExtendVertLines))
        paintExtendedColumnLines();
}

void TDBGrid::paintExtendedColumnLines() {
    // Column lines go on below the last row down to the footer.
    const int rows = m_model.rowCount();
    const int top = rows > 0 ? rowViewportPosition(rows - 1) + rowHeight(rows - 1) : 0;
    if (top < 0 || top >= viewport()->height())
        return;
    QPainter painter(viewport());
    painter.setPen(gridLineColor(this));
    for (int visual = 0; visual < m_header->count(); ++visual) {
        const int modelColumn = m_header->logicalIndex(visual);
        if (m_header->isSectionHidden(modelColumn))
            continue;
        const int x = columnViewportPosition(modelColumn) + columnWidth(modelColumn) - 1;
        if (x >= 0 && x < viewport()->width())
            painter.drawLine(x, top, x, viewport()->height() - 1);
    }
}

TDBGridColumn* TDBGrid::firstVisibleColumn() const {
    for (int i = 0; i < m_columns.count(); ++i) {
        if (m_columns.at(i).visible())
            return &m_columns.at(i);
    }
    return nullptr;
}

}  // namespace grid
