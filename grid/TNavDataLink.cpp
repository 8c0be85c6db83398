#include "grid/TNavDataLink.h"

#include "grid/TDBNavigator.h"
#include "store/DataSource.h"
#include "store/Query.h"

namespace grid {

TNavDataLink::TNavDataLink(TDBNavigator& navigator) : m_navigator(navigator) {}

TNavDataLink::~TNavDataLink() {
    if (m_dataSource)
        m_dataSource->removeLink(this);
}

void TNavDataLink::setDataSource(store::DataSource* dataSource) {
    if (dataSource == m_dataSource)
        return;
    if (m_dataSource)
        m_dataSource->removeLink(this);
    m_dataSource = dataSource;
    if (m_dataSource)
        m_dataSource->addLink(this);
    m_navigator.updateButtons();
}

store::Query* TNavDataLink::activeDataSet() const {
    return m_dataSource && m_dataSource->isActive() ? m_dataSource->dataSet() : nullptr;
}

void TNavDataLink::activeChanged() {
    m_navigator.updateButtons();
}

void TNavDataLink::dataSetChanged() {
    m_navigator.updateButtons();
}

void TNavDataLink::dataSetScrolled(int) {
    m_navigator.updateButtons();
}

void TNavDataLink::editingChanged() {
    m_navigator.updateButtons();
}

}  // namespace grid
