#pragma once

#include "grid/features/TDatasetFeatures.h"

namespace grid {

// The features of the database engine's other datasets, whose rows come
// from a command text. They sort and filter the rows the dataset holds; the
// grid never sorts or filters by rewriting the command text.
class TADOCommandTextDatasetFeatures final : public TDatasetFeatures {
public:
    void applySorting(const SortKeyList& sortKeys, store::Query& dataSet) override;
    void applyFilter(const TDBGridColumns& columns, store::Query& dataSet, bool isOpen) override;
    bool supportsLocalLike() const override { return true; }
};

}  // namespace grid
