#include "grid/columns/SortKeyList.h"

#include <algorithm>
#include <limits>

#include "grid/columns/TDBGridColumns.h"

namespace grid {

template <typename Visit>
void SortKeyList::forEachColumn(Visit visit) const {
    for (int i = 0; i < m_columns.count(); ++i)
        visit(static_cast<TColumn&>(m_columns.at(i)));
}

void SortKeyList::setMultiSortMarking(bool multiSortMarking) {
    if (m_multiSortMarking && !multiSortMarking) {
        // Removed while several keys are still allowed, so that each removal
        // keeps the keys before it.
        while (count() > 1)
            setSortMarker(*m_keys.back(), smNone);
    }
    m_multiSortMarking = multiSortMarking;
}

void SortKeyList::setSortMarker(TColumn& column, TSortMarker sortMarker) {
    TColumnTitle& title = column.title();
    if (sortMarker == title.sortMarker())
        return;
    if (m_columns.isUpdating()) {
        title.storeSortMarker(sortMarker);
        return;
    }
    const bool marked = sortMarker != smNone;
    if (m_multiSortMarking) {
        if (marked && title.sortIndex() == 0) {
            int indexed = 0;
            forEachColumn(
                [&indexed](const TColumn& each) { indexed += each.title().sortIndex() != 0; });
            title.storeSortIndex(indexed + 1);
            m_keys.push_back(&column);
        } else if (!marked && title.sortIndex() != 0) {
            const int removed = title.sortIndex();
            forEachColumn([removed](TColumn& each) {
                if (each.title().sortIndex() > removed)
                    each.title().storeSortIndex(each.title().sortIndex() - 1);
            });
            std::erase(m_keys, &column);
            title.storeSortIndex(0);
        }
    } else if (marked) {
        removeMarkers(&column);
        title.storeSortIndex(1);
        m_keys.assign(1, &column);
    } else {
        title.storeSortIndex(0);
        m_keys.clear();
    }
    title.storeSortMarker(sortMarker);
}

void SortKeyList::setSortIndex(TColumn& column, int sortIndex) {
    sortIndex = std::max(sortIndex, 0);
    TColumnTitle& title = column.title();
    if (sortIndex == title.sortIndex())
        return;
    if (!m_columns.isUpdating() && title.sortMarker() != smNone) {
        TColumn* holder = nullptr;
        forEachColumn([&](TColumn& each) {
            if (!holder && &each != &column && each.title().sortMarker() != smNone &&
                each.title().sortIndex() == sortIndex)
                holder = &each;
        });
        if (holder) {
            holder->title().storeSortIndex(title.sortIndex());
            const auto mine = std::find(m_keys.begin(), m_keys.end(), &column);
            const auto theirs = std::find(m_keys.begin(), m_keys.end(), holder);
            if (mine != m_keys.end() && theirs != m_keys.end())
                std::iter_swap(mine, theirs);
        }
    }
    title.storeSortIndex(sortIndex);
}

void SortKeyList::stepSortMarker(TColumn& column, bool keepOthers) {
    if (!keepOthers)
        removeMarkers(&column);
    switch (column.title().sortMarker()) {
        case smNone:
            setSortMarker(column, smDown);
            break;
        case smDown:
            setSortMarker(column, smUp);
            break;
        case smUp:
            setSortMarker(column, keepOthers ? smNone : smDown);
            break;
    }
}

void SortKeyList::removeMarkers(const TColumn* except) {
    forEachColumn([this, except](TColumn& each) {
        if (&each != except)
            setSortMarker(each, smNone);
    });
}

void SortKeyList::rebuild() {
    std::vector<TColumn*> marked;
    forEachColumn([&marked](TColumn& each) {
        if (each.title().sortMarker() != smNone)
            marked.push_back(&each);
    });
    const auto place = [](const TColumn* column) {
        const int index = column->title().sortIndex();
        return index > 0 ? index : std::numeric_limits<int>::max();
    };
    std::stable_sort(marked.begin(), marked.end(),
                     [&place](const TColumn* a, const TColumn* b) { return place(a) < place(b); });
    if (!m_multiSortMarking && marked.size() > 1) {
        for (auto it = marked.begin() + 1; it != marked.end(); ++it)
            (*it)->title().storeSortMarker(smNone);
        marked.resize(1);
    }
    forEachColumn([&marked](TColumn& each) {
        const auto found = std::find(marked.begin(), marked.end(), &each);
        each.title().storeSortIndex(
            found == marked.end() ? 0 : static_cast<int>(found - marked.begin()) + 1);
    });
    m_keys = std::move(marked);
}

}  // namespace grid
