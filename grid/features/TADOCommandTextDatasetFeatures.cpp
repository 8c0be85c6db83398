#include "grid/features/TADOCommandTextDatasetFeatures.h"

namespace grid {

void TADOCommandTextDatasetFeatures::applySorting(const SortKeyList& sortKeys,
                                                  store::Query& dataSet) {
    sortLocally(sortKeys, dataSet);
}

}  // namespace grid
