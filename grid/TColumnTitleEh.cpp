#include "grid/TColumnTitleEh.h"

#include <algorithm>

#include "grid/SortKeyList.h"
#include "grid/TColumnEh.h"

namespace grid {

void TColumnTitleEh::setCaption(const QString& caption) {
    m_column.assign(m_caption, caption, ColumnChange::Title);
}

void TColumnTitleEh::setAlignment(TAlignment alignment) {
    m_column.assign(m_alignment, alignment, ColumnChange::Title);
}

void TColumnTitleEh::setTitleButton(bool titleButton) {
    m_column.assign(m_titleButton, titleButton, ColumnChange::Title);
}

void TColumnTitleEh::setSortMarker(TSortMarkerEh sortMarker) {
    if (SortKeyList* keys = m_column.sortKeyList())
        keys->setSortMarker(m_column, sortMarker);
    else
        storeSortMarker(sortMarker);
}

void TColumnTitleEh::setSortIndex(int sortIndex) {
    if (SortKeyList* keys = m_column.sortKeyList())
        keys->setSortIndex(m_column, sortIndex);
    else
        storeSortIndex(std::max(sortIndex, 0));
}

void TColumnTitleEh::storeSortMarker(TSortMarkerEh sortMarker) {
    m_column.assign(m_sortMarker, sortMarker, ColumnChange::Title);
}

void TColumnTitleEh::storeSortIndex(int sortIndex) {
    m_column.assign(m_sortIndex, sortIndex, ColumnChange::Title);
}

}  // namespace grid
