#include "grid/sumlist/TDBSumCollection.h"

#include <algorithm>

namespace grid {

TDBSumCollection::TDBSumCollection(std::function<void()> changed) : m_changed(std::move(changed)) {}

TDBSumCollection::~TDBSumCollection() = default;

TDBSum& TDBSumCollection::at(int index) const {
    return *m_items.at(static_cast<std::size_t>(index));
}

TDBSum& TDBSumCollection::add() {
    m_items.push_back(std::make_unique<TDBSum>(*this));
    TDBSum& item = *m_items.back();
    itemChanged();
    return item;
}

void TDBSumCollection::remove(TDBSum* item) {
    const auto it = std::find_if(m_items.begin(), m_items.end(),
                                 [item](const auto& owned) { return owned.get() == item; });
    if (it == m_items.end())
        return;
    m_items.erase(it);
    itemChanged();
}

TDBSum* TDBSumCollection::find(TGroupOperation groupOperation, const QString& fieldName) const {
    for (const auto& item : m_items) {
        if (item->groupOperation() == groupOperation &&
            item->fieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return item.get();
    }
    return nullptr;
}

bool TDBSumCollection::anyReadsRecords() const {
    return std::any_of(m_items.begin(), m_items.end(),
                       [](const auto& item) { return item->readsRecords(); });
}

void TDBSumCollection::beginUpdate() {
    ++m_updateCount;
}

void TDBSumCollection::endUpdate() {
    if (m_updateCount == 0 || --m_updateCount > 0 || !m_changedWhileUpdating)
        return;
    m_changedWhileUpdating = false;
    if (m_changed)
        m_changed();
}

void TDBSumCollection::itemChanged() {
    if (m_updateCount > 0) {
        m_changedWhileUpdating = true;
        return;
    }
    if (m_changed)
        m_changed();
}

}  // namespace grid
