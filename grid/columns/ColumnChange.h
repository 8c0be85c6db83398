#pragma once

namespace grid {

// What changed in a column, so that the grid redraws or re-lays out only
// what depends on it.
enum class ColumnChange {
    Layout,  // width or visibility
    Field,   // the field the column shows
    Title,
    Footer,
    Filter,
};

}  // namespace grid
