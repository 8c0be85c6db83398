#include "store/DataLink.h"

#include "store/DataSource.h"

namespace store {

DataLink::~DataLink() {
    if (m_dataSource)
        m_dataSource->removeLink(this);
}

bool DataLink::attachTo(DataSource* dataSource) {
    if (dataSource == m_dataSource)
        return false;
    if (m_dataSource)
        m_dataSource->removeLink(this);
    m_dataSource = dataSource;
    if (m_dataSource)
        m_dataSource->addLink(this);
    return true;
}

}  // namespace store
