#include "grid/TDatasetFeaturesEh.h"

#include "grid/SortKeyList.h"
#include "grid/TColumnEh.h"
#include "store/Query.h"

namespace grid {

TDatasetFeaturesEh::~TDatasetFeaturesEh() = default;

QString TDatasetFeaturesEh::sortString(const SortKeyList& sortKeys) {
    QString text;
    for (int i = 0; i < sortKeys.count(); ++i) {
        const TColumnEh& column = sortKeys.at(i);
        text += u'[' + column.fieldName() + u']' +
                (column.title().sortMarker() == smUpEh ? QStringLiteral(" DESC, ")
                                                       : QStringLiteral(", "));
    }
    text.chop(2);
    return text;
}

void TDatasetFeaturesEh::sortLocally(const SortKeyList& sortKeys, store::Query& dataSet) {
    dataSet.setSort(sortString(sortKeys));
}

}  // namespace grid
