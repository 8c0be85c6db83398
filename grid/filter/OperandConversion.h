#pragma once

#include "grid/filter/TSTFilterExpression.h"

namespace grid {

// Turns the operands of the expression's conditions into values of its kind:
// numbers read with the locale's decimal separator for vkNumber, dates and
// times for vkDateTime (the text NOW, in any case, stays text), text for the
// other kinds; each element of a list alike. A condition without an operand
// (a null test, or none) gets a null operand. A value that does not convert
// raises store::Error "'%s' is not a valid floating point value" or "'%s' is
// not a valid date and time".
void convertOperands(TSTFilterExpression& expression);

}  // namespace grid
