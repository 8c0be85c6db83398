#include "grid/TColumnFooter.h"

#include "grid/FooterAggregate.h"
#include "grid/TColumn.h"
#include "grid/TDBGridSumList.h"

namespace grid {

TColumnFooter::~TColumnFooter() {
    if (m_sumItem)
        m_sumItem->collection().remove(m_sumItem);
}

void TColumnFooter::setValueType(TFooterValueType valueType) {
    m_column.assign(m_valueType, valueType, ColumnChange::Footer);
    bindFooterAggregate();
}

void TColumnFooter::setFieldName(const QString& fieldName) {
    m_column.assign(m_fieldName, fieldName, ColumnChange::Footer);
    bindFooterAggregate();
}

void TColumnFooter::setValue(const QString& value) {
    m_column.assign(m_value, value, ColumnChange::Footer);
}

void TColumnFooter::setDisplayFormat(const QString& displayFormat) {
    m_column.assign(m_displayFormat, displayFormat, ColumnChange::Footer);
}

void TColumnFooter::setAlignment(std::optional<TAlignment> alignment) {
    m_column.assign(m_alignment, alignment, ColumnChange::Footer);
}

void TColumnFooter::bindFooterAggregate() {
    TDBGridSumList* sumList = m_column.gridSumList();
    if (!sumList)
        return;
    m_sumItem = bindAggregate(sumList->sumCollection(), m_sumItem, m_valueType,
                              m_fieldName.isEmpty() ? m_column.fieldName() : m_fieldName);
}

}  // namespace grid
