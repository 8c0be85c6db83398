#include "grid/features/TADOCommandTextDatasetFeatures.h"

namespace grid {

void TADOCommandTextDatasetFeatures::applySorting(const SortKeyList& sortKeys,
                                                  store::Query& dataSet) {
    sortLocally(sortKeys, dataSet);
}

void TADOCommandTextDatasetFeatures::applyFilter(const TDBGridColumns& columns,
                                                 store::Query& dataSet, bool) {
    filterLocally(columns, dataSet);
}

}  // namespace grid
