#include "grid/filter/TSTFilterExpression.h"

namespace grid {

void TSTFilterExpression::clear() {
    firstOperator = fopNone;
    firstOperand = QVariant();
    connective = fopNone;
    secondOperator = fopNone;
    secondOperand = QVariant();
}

}  // namespace grid
