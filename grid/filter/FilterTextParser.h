#pragma once

#include <QString>

#include "grid/filter/TSTFilterExpression.h"

namespace grid {

// Reads a filter cell's text into `expression`, whose value kind must be set
// and is left as it is: at most two conditions joined by AND or OR, each a
// value, a list, a comparison, a pattern match, IN (...) or a null test.
// The operands are converted by the value kind (see convertOperands).
//
// A malformed text raises store::Error with one of the messages "Quote is
// absent: ", "'(' expected: ", "')' expected: ", "Error in expression: ",
// "Unexpected expression before Null: ", "Unexpected expression after
// operator: ", "Incorrect expression: " or "Unexpected AND or OR: ", followed
// by the text trimmed of spaces and control characters. The expression then
// holds what was read before the failure.
void parseFilterText(const QString& text, TSTFilterExpression& expression);

}  // namespace grid
