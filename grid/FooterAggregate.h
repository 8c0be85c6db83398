#pragma once

#include <QString>

#include "grid/TColumnFooter.h"

namespace grid {

class TDBSum;
class TDBSumCollection;

// Gives a footer the aggregate its value type asks for and returns the item
// the footer now owns: a sum or average of `fieldName`, or a plain record
// count, retargeting `item` when the footer has one already and adding it to
// `sums` otherwise; every other type frees `item` and owns none. The
// collection reports the change once.
TDBSum* bindAggregate(TDBSumCollection& sums, TDBSum* item, TFooterValueType valueType,
                      const QString& fieldName);

}  // namespace grid
