#pragma once

#include <vector>

namespace store {

class DataLink;
class Query;

// Connects a dataset to the controls that show it. Setting no dataset
// detaches them: they show nothing until the dataset is given back.
class DataSource {
public:
    DataSource() = default;
    ~DataSource();
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    Query* dataSet() const { return m_dataSet; }
    void setDataSet(Query* dataSet);

    // Called by DataLink when it registers and leaves.
    void addLink(DataLink* link);
    void removeLink(DataLink* link);

    // Whether controls should show data: a dataset is set and open.
    bool isActive() const;

    // Called by the dataset.
    const std::vector<DataLink*>& links() const { return m_links; }

private:
    Query* m_dataSet = nullptr;
    std::vector<DataLink*> m_links;
};

}  // namespace store
