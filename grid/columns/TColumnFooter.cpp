#include "grid/columns/TColumnFooter.h"

#include "grid/columns/TColumn.h"
#include "grid/sumlist/TDBGridSumList.h"
#include "grid/sumlist/TDBSumCollection.h"

namespace grid {

namespace {

// The aggregate a footer's value type asks for, and the item the footer
// then owns: a sum or average of `fieldName`, or a plain record count,
// retargeting `item` when the footer has one already and adding it to
// `sums` otherwise; every other type frees `item` and owns none. The
// collection reports the change once.
TDBSum* bindAggregate(TDBSumCollection& sums, TDBSum* item, TFooterValueType valueType,
                      const QString& fieldName) {
    TGroupOperation operation;
    switch (valueType) {
        case fvtSum:
            operation = goSum;
            break;
        case fvtAvg:
            operation = goAvg;
            break;
        case fvtCount:
            operation = goCount;
            break;
        default:
            if (item)
                sums.remove(item);
            return nullptr;
    }
    sums.beginUpdate();
    if (!item)
        item = &sums.add();
    item->setGroupOperation(operation);
    item->setFieldName(operation == goCount ? QString() : fieldName);
    sums.endUpdate();
    return item;
}

}  // namespace

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
