#include "grid/columns/TColumn.h"

#include <algorithm>

namespace grid {

TColumn::TColumn() = default;

TColumn::~TColumn() = default;

void TColumn::setFieldName(const QString& fieldName) {
    assign(m_fieldName, fieldName, ColumnChange::Field);
    m_footer.bindFooterAggregate();
}

void TColumn::setWidth(int width) {
    assign(m_width, std::max(width, 0), ColumnChange::Layout);
}

void TColumn::setVisible(bool visible) {
    assign(m_visible, visible, ColumnChange::Layout);
}

void TColumn::changed(ColumnChange) {}

}  // namespace grid
