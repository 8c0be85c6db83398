#include "grid/TSTColumnFilterEh.h"

#include "grid/TColumnEh.h"

namespace grid {

void TSTColumnFilterEh::setVisible(bool visible) {
    m_column.assign(m_visible, visible, ColumnChange::Filter);
}

void TSTColumnFilterEh::setDataField(const QString& dataField) {
    m_column.assign(m_dataField, dataField, ColumnChange::Filter);
}

void TSTColumnFilterEh::setKeyField(const QString& keyField) {
    m_column.assign(m_keyField, keyField, ColumnChange::Filter);
}

void TSTColumnFilterEh::setListField(const QString& listField) {
    m_column.assign(m_listField, listField, ColumnChange::Filter);
}

void TSTColumnFilterEh::setListSource(store::DataSource* listSource) {
    m_column.assign(m_listSource, listSource, ColumnChange::Filter);
}

void TSTColumnFilterEh::setFilterText(const QString& filterText) {
    m_column.assign(m_filterText, filterText, ColumnChange::Filter);
}

}  // namespace grid
