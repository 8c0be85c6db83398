#include "store/KeyList.h"

#include <algorithm>

namespace store {

void KeyList::assign(std::vector<std::int64_t> keys) {
    m_keys = std::move(keys);
    m_gap = -1;
    m_ascending = std::is_sorted(m_keys.begin(), m_keys.end());
    forgetSortedKeys();
}

void KeyList::clear() {
    m_keys.clear();
    m_keys.shrink_to_fit();
    m_gap = -1;
    m_ascending = true;
    forgetSortedKeys();
}

void KeyList::forgetSortedKeys() {
    m_sortedKeys.clear();
    m_sortedKeys.shrink_to_fit();
}

void KeyList::sortedKeyRemoved(std::int64_t key, std::size_t index) {
    if (m_sortedKeys.empty())
        return;
    const auto removed = static_cast<std::ptrdiff_t>(index);
    m_sortedKeys.erase(
        std::lower_bound(m_sortedKeys.begin(), m_sortedKeys.end(), SortedKey(key, removed)));
    for (SortedKey& sorted : m_sortedKeys) {
        if (sorted.second > removed)
            --sorted.second;
    }
}

void KeyList::sortedKeyInserted(std::int64_t key, std::size_t index) {
    if (m_sortedKeys.empty())
        return;
    const auto inserted = static_cast<std::ptrdiff_t>(index);
    for (SortedKey& sorted : m_sortedKeys) {
        if (sorted.second >= inserted)
            ++sorted.second;
    }
    const SortedKey entry(key, inserted);
    m_sortedKeys.insert(std::lower_bound(m_sortedKeys.begin(), m_sortedKeys.end(), entry), entry);
}

bool KeyList::ascendingAround(std::size_t index) const {
    return (index == 0 || m_keys[index - 1] < m_keys[index]) &&
           (index + 1 == m_keys.size() || m_keys[index] < m_keys[index + 1]);
}

void KeyList::openGap(int row) {
    m_gap = std::clamp(row, 0, keyCount());
}

void KeyList::fillGap(std::int64_t key) {
    const auto index = static_cast<std::size_t>(m_gap);
    m_keys.insert(m_keys.begin() + m_gap, key);
    m_gap = -1;
    m_ascending = m_ascending && ascendingAround(index);
    sortedKeyInserted(key, index);
}

std::int64_t KeyList::keyAt(int row) const {
    return m_keys.at(static_cast<std::size_t>(indexOfRow(row)));
}

int KeyList::rowOfIndex(std::size_t index) const {
    const int row = static_cast<int>(index);
    return hasGap() && row >= m_gap ? row + 1 : row;
}

std::ptrdiff_t KeyList::indexOf(std::int64_t key) const {
    if (m_ascending) {
        const auto it = std::lower_bound(m_keys.begin(), m_keys.end(), key);
        return it != m_keys.end() && *it == key ? it - m_keys.begin() : -1;
    }
    if (m_sortedKeys.empty() && !m_keys.empty()) {
        m_sortedKeys.reserve(m_keys.size());
        for (std::size_t i = 0; i < m_keys.size(); ++i)
            m_sortedKeys.emplace_back(m_keys[i], static_cast<std::ptrdiff_t>(i));
        std::sort(m_sortedKeys.begin(), m_sortedKeys.end());
    }
    const auto it = std::lower_bound(
        m_sortedKeys.begin(), m_sortedKeys.end(), key,
        [](const SortedKey& sorted, std::int64_t wanted) { return sorted.first < wanted; });
    return it != m_sortedKeys.end() && it->first == key ? it->second : -1;
}

int KeyList::rowOf(std::int64_t key) const {
    const std::ptrdiff_t index = indexOf(key);
    return index < 0 ? -1 : rowOfIndex(static_cast<std::size_t>(index));
}

int KeyList::firstRowOf(const std::unordered_set<std::int64_t>& keys) const {
    std::ptrdiff_t first = -1;
    for (const std::int64_t key : keys) {
        const std::ptrdiff_t index = indexOf(key);
        if (index >= 0 && (first < 0 || index < first))
            first = index;
    }
    return first < 0 ? -1 : rowOfIndex(static_cast<std::size_t>(first));
}

void KeyList::replaceAt(int row, std::int64_t key) {
    const auto index = static_cast<std::size_t>(indexOfRow(row));
    const std::int64_t old = m_keys.at(index);
    if (old == key)
        return;
    m_keys[index] = key;
    m_ascending = m_ascending && ascendingAround(index);
    sortedKeyRemoved(old, index);
    sortedKeyInserted(key, index);
}

void KeyList::removeAt(int row) {
    const auto index = static_cast<std::size_t>(indexOfRow(row));
    const std::int64_t key = m_keys.at(index);
    m_keys.erase(m_keys.begin() + static_cast<std::ptrdiff_t>(index));
    sortedKeyRemoved(key, index);
}

}  // namespace store
