#include "grid/TADOCommandTextDatasetFeaturesEh.h"

namespace grid {

void TADOCommandTextDatasetFeaturesEh::applySorting(const SortKeyList& sortKeys,
                                                    store::Query& dataSet) {
    sortLocally(sortKeys, dataSet);
}

}  // namespace grid
