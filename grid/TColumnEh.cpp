#include "grid/TColumnEh.h"

#include <algorithm>

namespace grid {

TColumnEh::TColumnEh() = default;

TColumnEh::~TColumnEh() = default;

void TColumnEh::setFieldName(const QString& fieldName) {
    assign(m_fieldName, fieldName, ColumnChange::Field);
    m_footer.bindFooterAggregate();
}

void TColumnEh::setWidth(int width) {
    assign(m_width, std::max(width, 0), ColumnChange::Layout);
}

void TColumnEh::setVisible(bool visible) {
    assign(m_visible, visible, ColumnChange::Layout);
}

void TColumnEh::changed(ColumnChange) {}

}  // namespace grid
