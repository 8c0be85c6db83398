#pragma once

#include "grid/sumlist/TDBSumListProducer.h"

namespace store {
class DataSource;
}

namespace grid {

// The sum list of a data grid, which computes the aggregates its footers
// show. The grid creates it inactive and binds it to the dataset of its data
// source whenever that source is set, given a dataset, or opened or closed;
// a detached grid's sum list is unhooked and zeroed.
class TDBGridSumList : public TDBSumListProducer {
    Q_OBJECT

public:
    explicit TDBGridSumList(QObject* parent = nullptr);

    // Takes the data source's dataset, or none without a source.
    void bindDataSource(const store::DataSource* dataSource);
};

}  // namespace grid
