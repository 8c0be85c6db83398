#pragma once

#include <QString>

namespace store {
class Query;
}

namespace grid {

class TColumnFooter;
class TDBSumCollection;

// The text of a footer cell by its value type:
// - fvtNon: nothing;
// - fvtSum, fvtAvg: the aggregate of the footer's field (else the column's),
//   formatted by the field's kind; "0" when the dataset lacks the field;
// - fvtCount: the plain record count, in general format ("0", "1234");
// - fvtFieldValue: the current record's value of the footer's field, as a
//   data cell shows it, nothing without a field name or an open dataset;
//   fails with the dataset's "Field '%s' not found" for a field it lacks;
// - fvtStaticText: the footer's fixed text.
// The footer's display format, when set, formats every number.
QString footerText(const TColumnFooter& footer, const QString& columnFieldName,
                   const store::Query* dataSet, const TDBSumCollection& sums);

}  // namespace grid
