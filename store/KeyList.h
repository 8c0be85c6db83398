#pragma once

#include <cstdint>
#include <span>
#include <unordered_set>
#include <utility>
#include <vector>

namespace store {

// The row keys of a dataset in result order. While a record is being
// inserted it holds a row position of its own, the gap: rows at and behind
// it show the key one index lower, so row positions run to keyCount() and
// key indexes to keyCount() - 1.
//
// Finding a key's row never scans the list: keys in ascending order (the
// table's own order) are searched by halving, any other order through a
// sorted copy made on the first search and kept up to date from then on.
class KeyList {
public:
    void assign(std::vector<std::int64_t> keys);
    // Forgets every key and the gap.
    void clear();

    std::span<const std::int64_t> keys() const { return m_keys; }
    int keyCount() const { return static_cast<int>(m_keys.size()); }
    // Keys plus the gap.
    int rowCount() const { return keyCount() + (hasGap() ? 1 : 0); }

    bool hasGap() const { return m_gap >= 0; }
    int gapRow() const { return m_gap; }
    void openGap(int row);
    void closeGap() { m_gap = -1; }
    // The inserted record's key takes the gap's position, which closes it.
    void fillGap(std::int64_t key);

    // Key index shown at a row position other than the gap.
    int indexOfRow(int row) const { return hasGap() && row > m_gap ? row - 1 : row; }
    // Fails with std::out_of_range for a position outside the keys.
    std::int64_t keyAt(int row) const;
    // Row position of a key, -1 when it is not in the list.
    int rowOf(std::int64_t key) const;
    // Row position of the first key in result order that is among `keys`, -1 when none is.
    int firstRowOf(const std::unordered_set<std::int64_t>& keys) const;

    void replaceAt(int row, std::int64_t key);
    void removeAt(int row);

private:
    int rowOfIndex(std::size_t index) const;
    // Index of a key in m_keys, -1 when it is not there.
    std::ptrdiff_t indexOf(std::int64_t key) const;
    // Whether the keys at and around `index` keep the ascending order.
    bool ascendingAround(std::size_t index) const;
    // Keep the sorted copy, once made, in step with an edit of m_keys.
    void forgetSortedKeys();
    void sortedKeyRemoved(std::int64_t key, std::size_t index);
    void sortedKeyInserted(std::int64_t key, std::size_t index);

    std::vector<std::int64_t> m_keys;
    int m_gap = -1;
    bool m_ascending = true;
    using SortedKey = std::pair<std::int64_t, std::ptrdiff_t>;  // key, index in m_keys
    mutable std::vector<SortedKey> m_sortedKeys;
};

}  // namespace store
