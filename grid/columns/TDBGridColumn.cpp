#include "grid/columns/TDBGridColumn.h"

#include "grid/columns/TDBGridColumns.h"
#include "store/DataSource.h"
#include "store/Field.h"
#include "store/Query.h"

namespace grid {

TDBGridColumn::TDBGridColumn(TDBGridColumns& columns) : m_columns(columns) {}

int TDBGridColumn::index() const {
    return m_columns.indexOf(*this);
}

void TDBGridColumn::setIndex(int index) {
    m_columns.move(this->index(), index);
}

store::Field* TDBGridColumn::field() const {
    const store::DataSource* source = m_columns.dataSource();
    if (fieldName().isEmpty() || !source || !source->isActive())
        return nullptr;
    return source->dataSet()->findField(fieldName());
}

QString TDBGridColumn::displayCaption() const {
    if (!title().caption().isEmpty())
        return title().caption();
    const store::Field* shown = field();
    return shown ? shown->name() : fieldName();
}

TDBGridSumList* TDBGridColumn::gridSumList() const {
    return m_columns.sumList();
}

SortKeyList* TDBGridColumn::sortKeyList() const {
    return &m_columns.sortKeys();
}

void TDBGridColumn::changed(ColumnChange change) {
    emit m_columns.columnChanged(this, change);
}

}  // namespace grid
