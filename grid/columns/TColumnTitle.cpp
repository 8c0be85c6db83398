#include "grid/columns/TColumnTitle.h"

#include <algorithm>

#include "grid/columns/SortKeyList.h"
#include "grid/columns/TColumn.h"

namespace grid {

void TColumnTitle::setCaption(const QString& caption) {
    m_column.assign(m_caption, caption, ColumnChange::Title);
}

void TColumnTitle::setAlignment(TAlignment alignment) {
    m_column.assign(m_alignment, alignment, ColumnChange::Title);
}

void TColumnTitle::setTitleButton(bool titleButton) {
    m_column.assign(m_titleButton, titleButton, ColumnChange::Title);
}

void TColumnTitle::setSortMarker(TSortMarker sortMarker) {
    if (SortKeyList* keys = m_column.sortKeyList())
        keys->setSortMarker(m_column, sortMarker);
    else
        storeSortMarker(sortMarker);
}

void TColumnTitle::setSortIndex(int sortIndex) {
    if (SortKeyList* keys = m_column.sortKeyList())
        keys->setSortIndex(m_column, sortIndex);
    else
        storeSortIndex(std::max(sortIndex, 0));
}

void TColumnTitle::storeSortMarker(TSortMarker sortMarker) {
    m_column.assign(m_sortMarker, sortMarker, ColumnChange::Title);
}

void TColumnTitle::storeSortIndex(int sortIndex) {
    m_column.assign(m_sortIndex, sortIndex, ColumnChange::Title);
}

}  // namespace grid
