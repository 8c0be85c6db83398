#include "grid/TADOSQLDatasetFeaturesEh.h"

namespace grid {

void TADOSQLDatasetFeaturesEh::applySorting(const SortKeyList& sortKeys, store::Query& dataSet) {
    sortLocally(sortKeys, dataSet);
}

}  // namespace grid
