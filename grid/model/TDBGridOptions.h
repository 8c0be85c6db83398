#pragma once

#include <QFlags>

namespace grid {

// The grid's own options beside the general grid options. Where a comment
// says "always" or "never", the grid behaves so whatever the flag says.
enum TDBGridOption : unsigned {
    dghFixed3D = 1u << 0,           // fixed cells drawn raised: always
    dghHighlightFocus = 1u << 1,    // the current cell is highlighted: always
    dghClearSelection = 1u << 2,    // moving the cursor clears the selection: always
    dghAutoSortMarking = 1u << 3,   // a title button click moves the column's sort marker
    dghMultiSortMarking = 1u << 4,  // several columns may carry sort markers at once
    dghIncSearch = 1u << 5,         // typing searches the column incrementally: never
    dghDialogFind = 1u << 6,        // Ctrl+F opens the find dialog while the data link is active
    dghColumnResize = 1u << 7,      // with dgColumnResize, a title's right border resizes
    dghColumnMove = 1u << 8,        // a title is dragged to move the column
    dghExtendVertLines = 1u << 9,   // column lines go on below the last row
};
Q_DECLARE_FLAGS(TDBGridOptions, TDBGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TDBGridOptions)

inline constexpr TDBGridOptions kDefaultOptionsExt{
    dghFixed3D | dghHighlightFocus | dghClearSelection | dghDialogFind | dghColumnResize |
    dghColumnMove | dghExtendVertLines};

}  // namespace grid
