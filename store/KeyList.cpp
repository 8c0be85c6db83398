#include "store/KeyList.h"

#include <algorithm>

namespace store {

void KeyList::assign(std::vector<std::int64_t> keys) {
    m_keys = std::move(keys);
    m_gap = -1;
}

void KeyList::clear() {
    m_keys.clear();
    m_keys.shrink_to_fit();
    m_gap = -1;
}

void KeyList::openGap(int row) {
    m_gap = std::clamp(row, 0, keyCount());
}

void KeyList::fillGap(std::int64_t key) {
    m_keys.insert(m_keys.begin() + m_gap, key);
    m_gap = -1;
}

std::int64_t KeyList::keyAt(int row) const {
    return m_keys.at(static_cast<std::size_t>(indexOfRow(row)));
}

int KeyList::rowOfIndex(std::size_t index) const {
    const int row = static_cast<int>(index);
    return hasGap() && row >= m_gap ? row + 1 : row;
}

int KeyList::rowOf(std::int64_t key) const {
    const auto it = std::find(m_keys.begin(), m_keys.end(), key);
    return it == m_keys.end() ? -1 : rowOfIndex(static_cast<std::size_t>(it - m_keys.begin()));
}

int KeyList::firstRowOf(const std::unordered_set<std::int64_t>& keys) const {
    if (keys.empty())
        return -1;
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        if (keys.count(m_keys[i]))
            return rowOfIndex(i);
    }
    return -1;
}

void KeyList::replaceAt(int row, std::int64_t key) {
    m_keys.at(static_cast<std::size_t>(indexOfRow(row))) = key;
}

void KeyList::removeAt(int row) {
    m_keys.erase(m_keys.begin() + indexOfRow(row));
}

}  // namespace store
