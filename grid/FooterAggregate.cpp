#include "grid/FooterAggregate.h"

#include "grid/TDBSumCollection.h"

namespace grid {

TDBSum* bindAggregate(TDBSumCollection& sums, TDBSum* item, TFooterValueType valueType,
                      const QString& fieldName) {
    TGroupOperation operation;
    switch (valueType) {
        case fvtSum:
            operation = goSum;
            break;
        case fvtAvg:
            operation = goAvg;
            break;
        case fvtCount:
            operation = goCount;
            break;
        default:
            if (item)
                sums.remove(item);
            return nullptr;
    }
    sums.beginUpdate();
    if (!item)
        item = &sums.add();
    item->setGroupOperation(operation);
    item->setFieldName(operation == goCount ? QString() : fieldName);
    sums.endUpdate();
    return item;
}

}  // namespace grid
