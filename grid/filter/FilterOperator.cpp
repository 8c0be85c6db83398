#include "grid/filter/FilterOperator.h"

namespace grid {

QString filterOperatorText(FilterOperator op) {
    switch (op) {
        case fopEqual:
            return QStringLiteral("=");
        case fopNotEqual:
            return QStringLiteral("<>");
        case fopGreater:
            return QStringLiteral(">");
        case fopLess:
            return QStringLiteral("<");
        case fopGreaterOrEqual:
            return QStringLiteral(">=");
        case fopLessOrEqual:
            return QStringLiteral("<=");
        case fopLike:
            return QStringLiteral("LIKE");
        case fopNotLike:
            return QStringLiteral("NOT LIKE");
        case fopIn:
            return QStringLiteral("IN");
        case fopNotIn:
            return QStringLiteral("NOT IN");
        case fopIsNull:
            return QStringLiteral("IS NULL");
        case fopIsNotNull:
            return QStringLiteral("IS NOT NULL");
        case fopAnd:
            return QStringLiteral("AND");
        case fopOr:
            return QStringLiteral("OR");
        case fopNone:
        case fopValue:
            break;
    }
    return {};
}

bool takesOperand(FilterOperator op) {
    return op >= fopEqual && op <= fopNotIn;
}

}  // namespace grid
