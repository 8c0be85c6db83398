#pragma once

#include <QFlags>

namespace grid {

// What the grid lets the user do to the records of its dataset.
enum TDBGridAllowedOperation : unsigned {
    alopInsert = 1u << 0,  // insert a record before the current one
    alopUpdate = 1u << 1,  // change an existing record
    alopDelete = 1u << 2,  // delete a record
    alopAppend = 1u << 3,  // append a record at the end
};
Q_DECLARE_FLAGS(TDBGridAllowedOperations, TDBGridAllowedOperation)
Q_DECLARE_OPERATORS_FOR_FLAGS(TDBGridAllowedOperations)

inline constexpr TDBGridAllowedOperations kAllAllowedOperations{alopInsert | alopUpdate |
                                                                alopDelete | alopAppend};

}  // namespace grid
