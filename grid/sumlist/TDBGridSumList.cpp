#include "grid/sumlist/TDBGridSumList.h"

#include "store/DataSource.h"

namespace grid {

TDBGridSumList::TDBGridSumList(QObject* parent) : TDBSumListProducer(parent) {}

void TDBGridSumList::bindDataSource(const store::DataSource* dataSource) {
    setDataSet(dataSource ? dataSource->dataSet() : nullptr);
}

}  // namespace grid
