#include "store/DataSource.h"

#include <algorithm>

#include "store/DataLink.h"
#include "store/Query.h"

namespace store {

DataSource::~DataSource() {
    if (m_dataSet)
        m_dataSet->detachDataSource(this);
    // Links that outlive the source forget it and show nothing.
    m_dataSet = nullptr;
    for (DataLink* link : std::vector<DataLink*>(m_links)) {
        link->m_dataSource = nullptr;
        link->activeChanged();
    }
}

void DataSource::setDataSet(Query* dataSet) {
    if (dataSet == m_dataSet)
        return;
    if (m_dataSet)
        m_dataSet->detachDataSource(this);
    m_dataSet = dataSet;
    if (m_dataSet)
        m_dataSet->attachDataSource(this);
    for (DataLink* link : std::vector<DataLink*>(m_links))
        link->activeChanged();
}

void DataSource::addLink(DataLink* link) {
    m_links.push_back(link);
}

void DataSource::removeLink(DataLink* link) {
    m_links.erase(std::remove(m_links.begin(), m_links.end(), link), m_links.end());
}

bool DataSource::isActive() const {
    return m_dataSet && m_dataSet->isActive();
}

}  // namespace store
