#pragma once

#include <QFlags>

namespace grid {

// The general grid options. Where a comment says "always", the grid
// behaves so whatever the flag says.
enum TGridOption : unsigned {
    dgEditing = 1u << 0,              // cells can be edited
    dgAlwaysShowEditor = 1u << 1,     // the cell editor stays open
    dgTitles = 1u << 2,               // the title row is shown
    dgIndicator = 1u << 3,            // the record indicator column is shown
    dgColumnResize = 1u << 4,         // with dghColumnResize, title borders resize columns
    dgColLines = 1u << 5,             // lines between columns: always drawn
    dgRowLines = 1u << 6,             // lines between rows: always drawn
    dgTabs = 1u << 7,                 // Tab and Shift+Tab move between cells
    dgRowSelect = 1u << 8,            // whole-row selection: here it only stops cell editing
    dgAlwaysShowSelection = 1u << 9,  // the selection shows without the focus: always
    dgConfirmDelete = 1u << 10,       // Ctrl+Delete asks before deleting
    dgCancelOnExit = 1u << 11,        // leaving the grid cancels an untouched new record
    dgMultiSelect = 1u << 12,         // several records can be selected: never
};
Q_DECLARE_FLAGS(TGridOptions, TGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridOptions)

inline constexpr TGridOptions kDefaultOptions{dgEditing | dgTitles | dgIndicator | dgColumnResize |
                                              dgColLines | dgRowLines | dgTabs | dgConfirmDelete |
                                              dgCancelOnExit};

}  // namespace grid
