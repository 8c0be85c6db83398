#include "grid/model/GridDataModel.h"

#include <algorithm>

#include <QScopedValueRollback>

#include "grid/celltext/FieldDisplay.h"
#include "grid/columns/TDBGridColumns.h"
#include "store/DataSource.h"
#include "store/Field.h"
#include "store/Query.h"

namespace grid {

GridDataModel::GridDataModel(TDBGridColumns& columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(columns) {
    for (int i = 0; i < columns.count(); ++i)
        m_modelColumns.push_back(&columns.at(i));
    m_fields.assign(m_modelColumns.size(), nullptr);
    connect(&columns, &TDBGridColumns::columnAdded, this, &GridDataModel::addColumn);
    connect(&columns, &TDBGridColumns::columnChanged, this,
            [this](TDBGridColumn* column, ColumnChange change) {
                if (change == ColumnChange::Field || change == ColumnChange::Title)
                    columnChanged(column);
            });
}

GridDataModel::~GridDataModel() = default;

void GridDataModel::setDataSource(store::DataSource* dataSource) {
    if (!attachTo(dataSource))
        return;
    m_columns.setDataSource(dataSource);
    activeChanged();
}

store::Query* GridDataModel::dataSet() const {
    return m_active ? dataSource()->dataSet() : nullptr;
}

TDBGridColumn& GridDataModel::columnAt(int modelColumn) const {
    return *m_modelColumns.at(static_cast<std::size_t>(modelColumn));
}

int GridDataModel::modelColumnOf(const TDBGridColumn& column) const {
    const auto it = std::find(m_modelColumns.begin(), m_modelColumns.end(), &column);
    return it == m_modelColumns.end() ? -1 : static_cast<int>(it - m_modelColumns.begin());
}

store::Field* GridDataModel::fieldAt(int modelColumn) const {
    return m_fields.at(static_cast<std::size_t>(modelColumn));
}

int GridDataModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rowCount;
}

int GridDataModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_modelColumns.size());
}

QVariant GridDataModel::data(const QModelIndex& index, int role) const {
    if (!m_active || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const store::Field* field = fieldAt(index.column());
    if (role == Qt::TextAlignmentRole) {
        const TAlignment alignment = field ? fieldAlignment(field->kind()) : taLeftJustify;
        return QVariant::fromValue(toQtAlignment(alignment));
    }
    if (role != Qt::DisplayRole || !field)
        return {};
    const int row = dataSetRow(index.row());
    if (row < 0)
        return {};
    return cellDisplayText(field->kind(), dataSet()->rowValue(row, field->index()));
}

QVariant GridDataModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount())
        return {};
    return columnAt(section).displayCaption();
}

Qt::ItemFlags GridDataModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void GridDataModel::activeChanged() {
    const QScopedValueRollback notifying(m_notifying, true);
    m_active = false;
    removeRowsAt(0, m_rowCount);
    m_active = dataSource() && dataSource()->isActive();
    bindFields();
    store::Query* query = dataSet();
    m_insertRow = query && query->state() == store::DataSetState::Insert ? query->recNo() : -1;
    m_cursor = query ? query->recNo() : -1;
    insertRowsAt(0, query ? query->rowCount() : 0);
    emit dataSetActiveChanged();
    emit cursorMoved(m_cursor);
}

void GridDataModel::dataSetChanged() {
    const QScopedValueRollback notifying(m_notifying, true);
    store::Query* query = dataSet();
    if (!query)
        return;
    const int count = query->rowCount();
    const int insertRow = query->state() == store::DataSetState::Insert ? query->recNo() : -1;
    // Say where rows came or went when the change tells: a record inserted
    // at the cursor, an insert cancelled, the current record deleted.
    if (count == m_rowCount + 1 && insertRow >= 0 && m_insertRow < 0)
        insertRowsAt(insertRow, 1);
    else if (count == m_rowCount - 1 && m_insertRow >= 0 && insertRow < 0)
        removeRowsAt(m_insertRow, 1);
    else if (count == m_rowCount - 1 && m_cursor >= 0 && m_cursor < m_rowCount)
        removeRowsAt(m_cursor, 1);
    else if (count < m_rowCount)
        removeRowsAt(count, m_rowCount - count);
    else
        insertRowsAt(m_rowCount, count - m_rowCount);
    m_insertRow = insertRow;
    if (m_rowCount > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(m_rowCount - 1, columnCount() - 1));
    moveCursor();
}

void GridDataModel::dataSetScrolled(int) {
    const QScopedValueRollback notifying(m_notifying, true);
    if (m_active)
        moveCursor();
}

void GridDataModel::recordChanged(store::Field*) {
    const QScopedValueRollback notifying(m_notifying, true);
    if (m_active && m_cursor >= 0 && m_cursor < m_rowCount && columnCount() > 0)
        emit dataChanged(index(m_cursor, 0), index(m_cursor, columnCount() - 1));
}

void GridDataModel::editingChanged() {
    const QScopedValueRollback notifying(m_notifying, true);
    emit dataSetEditingChanged();
}

void GridDataModel::updateData() {
    emit updateDataRequested();
}

void GridDataModel::addColumn(TDBGridColumn* column) {
    const QScopedValueRollback notifying(m_notifying, true);
    const int modelColumn = columnCount();
    beginInsertColumns({}, modelColumn, modelColumn);
    m_modelColumns.push_back(column);
    m_fields.push_back(column->field());
    endInsertColumns();
}

void GridDataModel::columnChanged(TDBGridColumn* column) {
    const QScopedValueRollback notifying(m_notifying, true);
    const int modelColumn = modelColumnOf(*column);
    m_fields.at(static_cast<std::size_t>(modelColumn)) = column->field();
    if (m_rowCount > 0)
        emit dataChanged(index(0, modelColumn), index(m_rowCount - 1, modelColumn));
    emit headerDataChanged(Qt::Horizontal, modelColumn, modelColumn);
}

void GridDataModel::bindFields() {
    for (std::size_t i = 0; i < m_modelColumns.size(); ++i)
        m_fields[i] = m_modelColumns[i]->field();
    if (columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void GridDataModel::insertRowsAt(int first, int count) {
    if (count <= 0)
        return;
    m_shiftFrom = first;
    m_shift = count;
    beginInsertRows({}, first, first + count - 1);
    m_shiftFrom = -1;
    m_rowCount += count;
    endInsertRows();
}

void GridDataModel::removeRowsAt(int first, int count) {
    if (count <= 0)
        return;
    m_shiftFrom = first;
    m_shift = -count;
    beginRemoveRows({}, first, first + count - 1);
    m_shiftFrom = -1;
    m_rowCount -= count;
    endRemoveRows();
}

void GridDataModel::moveCursor() {
    const store::Query* query = dataSet();
    m_cursor = query ? query->recNo() : -1;
    emit cursorMoved(m_cursor);
}

int GridDataModel::dataSetRow(int modelRow) const {
    if (m_shiftFrom < 0 || modelRow < m_shiftFrom)
        return modelRow;
    if (m_shift < 0 && modelRow < m_shiftFrom - m_shift)
        return -1;  // a row that is going away
    return modelRow + m_shift;
}

}  // namespace grid
