#include "grid/SortKeyList.h"

#include <algorithm>
#include <limits>

#include "grid/TDBGridColumnsEh.h"

namespace grid {

template <typename Visit>
void SortKeyList::forEachColumn(Visit visit) const {
    for (int i = 0; i < m_columns.count(); ++i)
        visit(static_cast<TColumnEh&>(m_columns.at(i)));
}

void SortKeyList::setMultiSortMarking(bool multiSortMarking) {
    if (m_multiSortMarking && !multiSortMarking) {
        // Removed while several keys are still allowed, so that each removal
        // keeps the keys before it.
        while (count() > 1)
            setSortMarker(*m_keys.back(), smNoneEh);
    }
    m_multiSortMarking = multiSortMarking;
}

void SortKeyList::setSortMarker(TColumnEh& column, TSortMarkerEh sortMarker) {
    TColumnTitleEh& title = column.title();
    if (sortMarker == title.sortMarker())
        return;
    if (m_columns.isUpdating()) {
        title.storeSortMarker(sortMarker);
        return;
    }
    const bool marked = sortMarker != smNoneEh;
    if (m_multiSortMarking) {
        if (marked && title.sortIndex() == 0) {
            int indexed = 0;
            forEachColumn(
                [&indexed](const TColumnEh& each) { indexed += each.title().sortIndex() != 0; });
            title.storeSortIndex(indexed + 1);
            m_keys.push_back(&column);
        } else if (!marked && title.sortIndex() != 0) {
            const int removed = title.sortIndex();
            forEachColumn([removed](TColumnEh& each) {
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

void SortKeyList::setSortIndex(TColumnEh& column, int sortIndex) {
    sortIndex = std::max(sortIndex, 0);
    TColumnTitleEh& title = column.title();
    if (sortIndex == title.sortIndex())
        return;
    if (!m_columns.isUpdating() && title.sortMarker() != smNoneEh) {
        TColumnEh* holder = nullptr;
        forEachColumn([&](TColumnEh& each) {
            if (!holder && &each != &column && each.title().sortMarker() != smNoneEh &&
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

void SortKeyList::stepSortMarker(TColumnEh& column, bool keepOthers) {
    if (!keepOthers)
        removeMarkers(&column);
    switch (column.title().sortMarker()) {
        case smNoneEh:
            setSortMarker(column, smDownEh);
            break;
        case smDownEh:
            setSortMarker(column, smUpEh);
            break;
        case smUpEh:
            setSortMarker(column, keepOthers ? smNoneEh : smDownEh);
            break;
    }
}

void SortKeyList::removeMarkers(const TColumnEh* except) {
    forEachColumn([this, except](TColumnEh& each) {
        if (&each != except)
            setSortMarker(each, smNoneEh);
    });
}

void SortKeyList::rebuild() {
    std::vector<TColumnEh*> marked;
    forEachColumn([&marked](TColumnEh& each) {
        if (each.title().sortMarker() != smNoneEh)
            marked.push_back(&each);
    });
    const auto place = [](const TColumnEh* column) {
        const int index = column->title().sortIndex();
        return index > 0 ? index : std::numeric_limits<int>::max();
    };
    std::stable_sort(
        marked.begin(), marked.end(),
        [&place](const TColumnEh* a, const TColumnEh* b) { return place(a) < place(b); });
    if (!m_multiSortMarking && marked.size() > 1) {
        for (auto it = marked.begin() + 1; it != marked.end(); ++it)
            (*it)->title().storeSortMarker(smNoneEh);
        marked.resize(1);
    }
    forEachColumn([&marked](TColumnEh& each) {
        const auto found = std::find(marked.begin(), marked.end(), &each);
        each.title().storeSortIndex(
            found == marked.end() ? 0 : static_cast<int>(found - marked.begin()) + 1);
    });
    m_keys = std::move(marked);
}

}  // namespace grid
