#pragma once

#include <QString>
#include <QVariant>

#include "grid/filter/FilterOperator.h"

namespace grid {

class TDBGridColumns;

// The dataset filter string of the grid's filter row: one piece for every
// column, in the columns' order, that shows a field, has a value kind other
// than vkOther and a first condition; pieces joined by " AND ". A piece is
// its first condition, followed by the connective and the second condition
// when there is one, put in parentheses when the connective is OR. Empty
// without pieces. `supportsLocalLike` writes pattern matches as Like and
// Not Like, else as = and <>.
QString filterString(const TDBGridColumns& columns, bool supportsLocalLike);

// One condition on the field, starting with a space: " [F] > 10",
// " [F] Like 'abc*'", " ([F] = 'a' OR [F] = 'b')", " [F] IS NULL".
QString conditionText(FilterOperator op, const QString& field, const QVariant& operand,
                      bool supportsLocalLike);

// An operand as the filter string writes it: a number in general format
// with the locale's decimal separator, a date and time or a text between
// single quotes (a quote inside doubled), null as ''.
QString filterValueText(const QVariant& value);

}  // namespace grid
