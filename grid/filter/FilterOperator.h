#pragma once

#include <QString>

namespace grid {

// The operators of a filter condition, the connectives between two
// conditions, and the token kind of a value.
enum FilterOperator {
    fopNone = 0,
    fopEqual = 1,
    fopNotEqual = 2,
    fopGreater = 3,
    fopLess = 4,
    fopGreaterOrEqual = 5,
    fopLessOrEqual = 6,
    fopLike = 7,
    fopNotLike = 8,
    fopIn = 9,
    fopNotIn = 10,
    fopIsNull = 11,
    fopIsNotNull = 12,
    fopAnd = 13,
    fopOr = 14,
    fopValue = 15
};

// The operator as a dataset filter text writes it ("=", "NOT LIKE", "IS NULL",
// "AND", ...); empty for fopNone and fopValue.
QString filterOperatorText(FilterOperator op);

// Whether the operator compares with an operand (fopEqual to fopNotIn).
bool takesOperand(FilterOperator op);

}  // namespace grid
