#pragma once

#include "grid/features/TDatasetFeatures.h"

namespace grid {

// The features of the database engine's queries, datasets whose rows come
// from an SQL text (the item query among them). They sort the rows the query
// holds; the grid never sorts by rewriting the SQL text.
class TADOSQLDatasetFeatures final : public TDatasetFeatures {
public:
    void applySorting(const SortKeyList& sortKeys, store::Query& dataSet) override;
};

}  // namespace grid
