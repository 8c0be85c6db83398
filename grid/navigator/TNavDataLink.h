#pragma once

#include "store/DataLink.h"

namespace store {
class DataSource;
class Query;
}  // namespace store

namespace grid {

class TDBNavigator;

// Ties a navigator to its data source: every change of the dataset's data,
// cursor, editing state or activity makes the navigator recompute its buttons.
class TNavDataLink : public store::DataLink {
public:
    explicit TNavDataLink(TDBNavigator& navigator);

    void setDataSource(store::DataSource* dataSource);
    // The data source's dataset while it is open; none otherwise.
    store::Query* activeDataSet() const;

    void activeChanged() override;
    void dataSetChanged() override;
    void dataSetScrolled(int distance) override;
    void editingChanged() override;

private:
    TDBNavigator& m_navigator;
};

}  // namespace grid
