#include "grid/TDBGridEhSumList.h"

#include "store/DataSource.h"

namespace grid {

TDBGridEhSumList::TDBGridEhSumList(QObject* parent) : TDBSumListProducer(parent) {}

void TDBGridEhSumList::bindDataSource(const store::DataSource* dataSource) {
    setDataSet(dataSource ? dataSource->dataSet() : nullptr);
}

}  // namespace grid
