#include "grid/columns/TDBGridColumns.h"

#include <algorithm>

#include "store/Field.h"

namespace grid {

TDBGridColumns::TDBGridColumns(QObject* parent) : QObject(parent) {}

TDBGridColumns::~TDBGridColumns() = default;

TDBGridColumn& TDBGridColumns::at(int index) const {
    return *m_items.at(static_cast<std::size_t>(index));
}

int TDBGridColumns::indexOf(const TDBGridColumn& column) const {
    const auto it = std::find_if(m_items.begin(), m_items.end(),
                                 [&column](const auto& item) { return item.get() == &column; });
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

TDBGridColumn& TDBGridColumns::add() {
    m_items.push_back(std::make_unique<TDBGridColumn>(*this));
    TDBGridColumn* column = m_items.back().get();
    emit columnAdded(column);
    return *column;
}

void TDBGridColumns::move(int from, int to) {
    if (from < 0 || from >= count())
        return;
    to = std::clamp(to, 0, count() - 1);
    if (from == to)
        return;
    const auto begin = m_items.begin();
    if (from < to)
        std::rotate(begin + from, begin + from + 1, begin + to + 1);
    else
        std::rotate(begin + to, begin + from, begin + from + 1);
    emit columnMoved(from, to);
}

void TDBGridColumns::endUpdate() {
    if (m_updateCount > 0 && --m_updateCount == 0)
        m_sortKeys.rebuild();
}

TDBGridColumn* TDBGridColumns::columnShowingField(const QString& fieldName) const {
    for (const auto& column : m_items) {
        const store::Field* field = column->field();
        if (field && field->name() == fieldName)
            return column.get();
    }
    return nullptr;
}

}  // namespace grid
