#pragma once

#include "grid/features/TDatasetFeatures.h"

namespace grid {

// The features of the database engine's other datasets, whose rows come
// from a command text. They sort the rows the dataset holds; the grid never
// sorts by rewriting the command text.
class TADOCommandTextDatasetFeatures final : public TDatasetFeatures {
public:
    void applySorting(const SortKeyList& sortKeys, store::Query& dataSet) override;
};

}  // namespace grid
