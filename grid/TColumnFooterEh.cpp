#include "grid/TColumnFooterEh.h"

#include "grid/FooterAggregate.h"
#include "grid/TColumnEh.h"
#include "grid/TDBGridEhSumList.h"

namespace grid {

TColumnFooterEh::~TColumnFooterEh() {
    if (m_sumItem)
        m_sumItem->collection().remove(m_sumItem);
}

void TColumnFooterEh::setValueType(TFooterValueType valueType) {
    m_column.assign(m_valueType, valueType, ColumnChange::Footer);
    bindFooterAggregate();
}

void TColumnFooterEh::setFieldName(const QString& fieldName) {
    m_column.assign(m_fieldName, fieldName, ColumnChange::Footer);
    bindFooterAggregate();
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

void TColumnFooterEh::bindFooterAggregate() {
    TDBGridEhSumList* sumList = m_column.gridSumList();
    if (!sumList)
        return;
    m_sumItem = bindAggregate(sumList->sumCollection(), m_sumItem, m_valueType,
                              m_fieldName.isEmpty() ? m_column.fieldName() : m_fieldName);
}

}  // namespace grid
