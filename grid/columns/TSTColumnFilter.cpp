#include "grid/columns/TSTColumnFilter.h"

#include "grid/columns/TColumn.h"
#include "grid/filter/FilterTextParser.h"
#include "store/DataSource.h"
#include "store/Field.h"
#include "store/Query.h"

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

void TSTColumnFilter::assignFilterText(const QString& text) {
    if (const store::Field* field = m_column.field())
        m_expression.valueKind = valueKindOf(field->kind());
    parseFilterText(text, m_expression);
    m_matchesNoKey = false;
    if (isKeyList())
        translateKeyList(text);
    setFilterText(text);
}

// A key-list column filters on the key of the list record named by the whole
// text; the parsed conditions give way to that key, or to "no record" when
// the text names none.
void TSTColumnFilter::translateKeyList(const QString& text) {
    if (m_expression.firstOperator == fopIsNull || m_expression.firstOperator == fopIsNotNull)
        return;
    if (text.isEmpty()) {
        m_keyValues = QVariant();
    } else if (store::Query* list = m_listSource ? m_listSource->dataSet() : nullptr) {
        const QString listField = m_listField.isEmpty() ? m_column.fieldName() : m_listField;
        m_keyValues = list->lookup(listField, text, m_keyField);
    }
    m_expression.clear();
    m_expression.valueKind = vkText;
    m_matchesNoKey = m_keyValues.isNull() && !text.isEmpty();
    if (m_keyValues.isNull()) {
        m_expression.firstOperator = text.isEmpty() ? fopNone : fopIsNull;
    } else {
        m_expression.firstOperator = fopIn;
        m_expression.firstOperand = text;
    }
}

QVariant TSTColumnFilter::firstOperand() const {
    return isKeyList() ? m_keyValues : m_expression.firstOperand;
}

QString TSTColumnFilter::testedField() const {
    return m_dataField.isEmpty() ? m_column.fieldName() : m_dataField;
}

}  // namespace grid
