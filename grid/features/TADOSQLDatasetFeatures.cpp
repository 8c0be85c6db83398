#include "grid/features/TADOSQLDatasetFeatures.h"

namespace grid {

void TADOSQLDatasetFeatures::applySorting(const SortKeyList& sortKeys, store::Query& dataSet) {
    sortLocally(sortKeys, dataSet);
}

}  // namespace grid
