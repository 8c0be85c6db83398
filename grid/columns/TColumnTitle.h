#pragma once

#include <QString>

#include "grid/celltext/TAlignment.h"

namespace grid {

class SortKeyList;
class TColumn;

enum TSortMarker { smNone, smDown, smUp };

// A column's title cell: caption, alignment, whether it acts as a button,
// and the sort marker it shows.
class TColumnTitle {
public:
    explicit TColumnTitle(TColumn& column) : m_column(column) {}
    TColumnTitle(const TColumnTitle&) = delete;
    TColumnTitle& operator=(const TColumnTitle&) = delete;

    // Empty means the field's name.
    const QString& caption() const { return m_caption; }
    void setCaption(const QString& caption);
    TAlignment alignment() const { return m_alignment; }
    void setAlignment(TAlignment alignment);
    bool titleButton() const { return m_titleButton; }
    void setTitleButton(bool titleButton);
    // Setting the marker or the index of a grid column keeps the grid's sort
    // key list consistent (see SortKeyList); it does not sort.
    TSortMarker sortMarker() const { return m_sortMarker; }
    void setSortMarker(TSortMarker sortMarker);
    int sortIndex() const { return m_sortIndex; }
    void setSortIndex(int sortIndex);

private:
    friend class SortKeyList;
    void storeSortMarker(TSortMarker sortMarker);
    void storeSortIndex(int sortIndex);

    TColumn& m_column;
    QString m_caption;
    TAlignment m_alignment = taLeftJustify;
    bool m_titleButton = false;
    TSortMarker m_sortMarker = smNone;
    int m_sortIndex = 0;
};

}  // namespace grid
