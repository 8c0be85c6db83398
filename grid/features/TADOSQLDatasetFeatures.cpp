#include "grid/features/TADOSQLDatasetFeatures.h"

namespace grid {

void TADOSQLDatasetFeatures::applySorting(const SortKeyList& sortKeys, store::Query& dataSet) {
    sortLocally(sortKeys, dataSet);
}

void TADOSQLDatasetFeatures::applyFilter(const TDBGridColumns& columns, store::Query& dataSet,
                                         bool) {
    filterLocally(columns, dataSet);
}

}  // namespace grid
