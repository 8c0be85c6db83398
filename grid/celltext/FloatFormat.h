#pragma once

#include <QChar>
#include <QString>

namespace grid {

// A number formatted with a display format such as "#,##0.00":
// - up to three sections separated by ";": positive values, negative values
//   (shown without a minus sign of their own) and zero; a missing or empty
//   section falls back to the first;
// - "0" is a digit that always shows, "#" a digit that shows when needed;
//   the integer part is never cut, extra digits go to the first placeholder;
// - the first "." places the decimal separator, shown only before decimals;
// - "," in the integer part groups thousands;
// - "E+", "E-", "e+", "e-" followed by zeros give scientific notation ("+"
//   always shows the exponent's sign, "-" only a minus);
// - text between double or single quotes, and any other character, shows as
//   it stands.
// Decimals round half away from zero. The thousands separator is "," unless
// the decimal separator is a comma, then ".".
QString formatFloat(const QString& format, double value, QChar decimalSeparator);

// The general number format: the shortest text with at most `precision`
// significant digits, in fixed notation when the value is at least 0.00001
// and its integer digits fit the precision, else scientific ("1.5E-7",
// "1E20").
QString formatGeneral(double value, int precision, QChar decimalSeparator);

}  // namespace grid
