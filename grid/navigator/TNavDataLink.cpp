#include "grid/navigator/TNavDataLink.h"

#include "grid/navigator/TDBNavigator.h"
#include "store/DataSource.h"
#include "store/Query.h"

namespace grid {

TNavDataLink::TNavDataLink(TDBNavigator& navigator) : m_navigator(navigator) {}

void TNavDataLink::setDataSource(store::DataSource* dataSource) {
    if (attachTo(dataSource))
        m_navigator.updateButtons();
}

store::Query* TNavDataLink::activeDataSet() const {
    return dataSource() && dataSource()->isActive() ? dataSource()->dataSet() : nullptr;
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
