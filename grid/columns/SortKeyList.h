#pragma once

#include <vector>

#include "grid/columns/TColumnTitle.h"

namespace grid {

class TColumn;
class TDBGridColumns;

// The columns of a grid that carry a sort marker, in the order in which the
// dataset is sorted by them; a column's title SortIndex is its 1-based place
// here, 0 when it is no sort key. The column titles' SortMarker and SortIndex
// setters come here so that markers, indexes and the list stay consistent.
class SortKeyList {
public:
    explicit SortKeyList(const TDBGridColumns& columns) : m_columns(columns) {}
    SortKeyList(const SortKeyList&) = delete;
    SortKeyList& operator=(const SortKeyList&) = delete;

    int count() const { return static_cast<int>(m_keys.size()); }
    TColumn& at(int index) const { return *m_keys.at(static_cast<std::size_t>(index)); }

    // Whether several columns may carry markers at once. Switching it off
    // removes every key but the first, from the last.
    bool multiSortMarking() const { return m_multiSortMarking; }
    void setMultiSortMarking(bool multiSortMarking);

    // A marker set on a column makes it a key: the last one with multi-sort
    // marking, the only one without. A marker removed takes the column out
    // of the list, and later keys move up. While the column list is updated
    // in a batch only the value is stored.
    void setSortMarker(TColumn& column, TSortMarker sortMarker);
    // Negative values count as 0. A marked column asking for the index of
    // another marked column swaps indexes and places with it.
    void setSortIndex(TColumn& column, int sortIndex);

    // The marker a title click gives: none, ascending, descending, and from
    // descending back to ascending, or to none when the other markers are
    // kept (Ctrl held), so that a plain click never leaves the grid unsorted.
    // Without `keepOthers` every other column's marker is removed first.
    void stepSortMarker(TColumn& column, bool keepOthers);

    // After a batch update: the marked columns in SortIndex order (columns
    // without an index after them, in column order) become the list, their
    // indexes are renumbered from 1 and the unmarked columns' set to 0.
    // Without multi-sort marking only the first keeps its marker.
    void rebuild();

private:
    // Every column of the grid, in column order.
    template <typename Visit>
    void forEachColumn(Visit visit) const;
    void removeMarkers(const TColumn* except);

    const TDBGridColumns& m_columns;
    std::vector<TColumn*> m_keys;
    bool m_multiSortMarking = false;
};

}  // namespace grid
