#include "grid/TColumnFooterEh.h"

#include "grid/TColumnEh.h"

namespace grid {

void TColumnFooterEh::setValueType(TFooterValueType valueType) {
    m_column.assign(m_valueType, valueType, ColumnChange::Footer);
}

void TColumnFooterEh::setFieldName(const QString& fieldName) {
    m_column.assign(m_fieldName, fieldName, ColumnChange::Footer);
}

void TColumnFooterEh::setValue(const QString& value) {
    m_column.assign(m_value, value, ColumnChange::Footer);
}

void TColumnFooterEh::setDisplayFormat(const QString& displayFormat) {
    m_column.assign(m_displayFormat, displayFormat, ColumnChange::Footer);
}

void TColumnFooterEh::setAlignment(std::optional<TAlignment> alignment) {
    m_column.assign(m_alignment, alignment, ColumnChange::Footer);
}

}  // namespace grid
