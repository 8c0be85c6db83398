#pragma once

#include <QFlags>

namespace grid {

// What the grid lets the user do to the records of its dataset.
enum TDBGridEhAllowedOperation : unsigned {
    alopInsertEh = 1u << 0,  // insert a record before the current one
    alopUpdateEh = 1u << 1,  // change an existing record
    alopDeleteEh = 1u << 2,  // delete a record
    alopAppendEh = 1u << 3,  // append a record at the end
};
Q_DECLARE_FLAGS(TDBGridEhAllowedOperations, TDBGridEhAllowedOperation)
Q_DECLARE_OPERATORS_FOR_FLAGS(TDBGridEhAllowedOperations)

inline constexpr TDBGridEhAllowedOperations kAllAllowedOperations{alopInsertEh | alopUpdateEh |
                                                                  alopDeleteEh | alopAppendEh};

}  // namespace grid
