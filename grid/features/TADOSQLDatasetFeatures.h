#pragma once

#include "grid/features/TDatasetFeatures.h"

namespace grid {

// The features of the database engine's queries, datasets whose rows come
// from an SQL text (the item query among them). They sort the rows the query
// holds and filter them; the grid never sorts or filters by rewriting the SQL text.
class TADOSQLDatasetFeatures final : public TDatasetFeatures {
public:
    void applySorting(const SortKeyList& sortKeys, store::Query& dataSet) override;
    void applyFilter(const TDBGridColumns& columns, store::Query& dataSet, bool isOpen) override;
    bool supportsLocalLike() const override { return true; }
};

}  // namespace grid
