#pragma once

#include <QString>

namespace store {
class Query;
}

namespace grid {

class SortKeyList;

// What a grid needs of a kind of dataset that it cannot do through the
// dataset's common operations: how the dataset sorts its rows by the grid's
// sort markers. One object serves every dataset of its class (see
// DatasetFeaturesRegistry).
class TDatasetFeatures {
public:
    TDatasetFeatures() = default;
    virtual ~TDatasetFeatures();
    TDatasetFeatures(const TDatasetFeatures&) = delete;
    TDatasetFeatures& operator=(const TDatasetFeatures&) = delete;

    // Orders the rows of an open dataset by the sort keys.
    virtual void applySorting(const SortKeyList& sortKeys, store::Query& dataSet) = 0;

    // The sort text that names the keys in order, "[F]" ascending and
    // "[F] DESC" descending, joined by ", "; empty without keys.
    static QString sortString(const SortKeyList& sortKeys);

protected:
    // The engine's datasets sort the rows they hold themselves: the sort
    // text goes into the dataset's Sort, which re-reads the rows in order.
    static void sortLocally(const SortKeyList& sortKeys, store::Query& dataSet);
};

}  // namespace grid
