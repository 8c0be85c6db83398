#include "grid/columns/TSTColumnFilter.h"

#include "grid/columns/TColumn.h"

namespace grid {

void TSTColumnFilter::setVisible(bool visible) {
    m_column.assign(m_visible, visible, ColumnChange::Filter);
}

void TSTColumnFilter::setDataField(const QString& dataField) {
    m_column.assign(m_dataField, dataField, ColumnChange::Filter);
}

void TSTColumnFilter::setKeyField(const QString& keyField) {
    m_column.assign(m_keyField, keyField, ColumnChange::Filter);
}

void TSTColumnFilter::setListField(const QString& listField) {
    m_column.assign(m_listField, listField, ColumnChange::Filter);
}

void TSTColumnFilter::setListSource(store::DataSource* listSource) {
    m_column.assign(m_listSource, listSource, ColumnChange::Filter);
}

void TSTColumnFilter::setFilterText(const QString& filterText) {
    m_column.assign(m_filterText, filterText, ColumnChange::Filter);
}

}  // namespace grid
