#include "grid/TDBGridColumnEh.h"

#include "grid/TDBGridColumnsEh.h"
#include "store/DataSource.h"
#include "store/Field.h"
#include "store/Query.h"

namespace grid {

TDBGridColumnEh::TDBGridColumnEh(TDBGridColumnsEh& columns) : m_columns(columns) {}

int TDBGridColumnEh::index() const {
    return m_columns.indexOf(*this);
}

void TDBGridColumnEh::setIndex(int index) {
    m_columns.move(this->index(), index);
}

store::Field* TDBGridColumnEh::field() const {
    const store::DataSource* source = m_columns.dataSource();
    if (fieldName().isEmpty() || !source || !source->isActive())
        return nullptr;
    return source->dataSet()->findField(fieldName());
}

QString TDBGridColumnEh::displayCaption() const {
    if (!title().caption().isEmpty())
        return title().caption();
    const store::Field* shown = field();
    return shown ? shown->name() : fieldName();
}

TDBGridEhSumList* TDBGridColumnEh::gridSumList() const {
    return m_columns.sumList();
}

SortKeyList* TDBGridColumnEh::sortKeyList() const {
    return &m_columns.sortKeys();
}

void TDBGridColumnEh::changed(ColumnChange change) {
    emit m_columns.columnChanged(this, change);
}

}  // namespace grid
