#pragma once

#include <QVariant>

#include "grid/filter/FilterOperator.h"
#include "grid/filter/ValueKind.h"

namespace grid {

// The parsed conditions of one filter cell: one condition, or two joined by
// AND or OR. An operand is null, a text, a double, a QDateTime, or a list
// (QVariantList) of such values.
struct TSTFilterExpression {
    ValueKind valueKind = vkOther;
    FilterOperator firstOperator = fopNone;
    QVariant firstOperand;
    FilterOperator connective = fopNone;
    FilterOperator secondOperator = fopNone;
    QVariant secondOperand;

    // Both conditions and the connective gone; the value kind stays.
    void clear();
};

}  // namespace grid
