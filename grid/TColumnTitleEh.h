#pragma once

#include <QString>

#include "grid/TAlignment.h"

namespace grid {

class SortKeyList;
class TColumnEh;

enum TSortMarkerEh { smNoneEh, smDownEh, smUpEh };

// A column's title cell: caption, alignment, whether it acts as a button,
// and the sort marker it shows.
class TColumnTitleEh {
public:
    explicit TColumnTitleEh(TColumnEh& column) : m_column(column) {}
    TColumnTitleEh(const TColumnTitleEh&) = delete;
    TColumnTitleEh& operator=(const TColumnTitleEh&) = delete;

    // Empty means the field's name.
    const QString& caption() const { return m_caption; }
    void setCaption(const QString& caption);
    TAlignment alignment() const { return m_alignment; }
    void setAlignment(TAlignment alignment);
    bool titleButton() const { return m_titleButton; }
    void setTitleButton(bool titleButton);
    // Setting the marker or the index of a grid column keeps the grid's sort
    // key list consistent (see SortKeyList); it does not sort.
    TSortMarkerEh sortMarker() const { return m_sortMarker; }
    void setSortMarker(TSortMarkerEh sortMarker);
    int sortIndex() const { return m_sortIndex; }
    void setSortIndex(int sortIndex);

private:
    friend class SortKeyList;
    void storeSortMarker(TSortMarkerEh sortMarker);
    void storeSortIndex(int sortIndex);

    TColumnEh& m_column;
    QString m_caption;
    TAlignment m_alignment = taLeftJustify;
    bool m_titleButton = false;
    TSortMarkerEh m_sortMarker = smNoneEh;
    int m_sortIndex = 0;
};

}  // namespace grid
