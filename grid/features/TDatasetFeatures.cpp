#include "grid/features/TDatasetFeatures.h"

#include "grid/columns/SortKeyList.h"
#include "grid/columns/TColumn.h"
#include "grid/features/FilterString.h"
#include "grid/features/FindProcedures.h"
#include "store/Query.h"

namespace grid {

TDatasetFeatures::~TDatasetFeatures() = default;

bool TDatasetFeatures::locateText(SearchableGrid& grid, const LocateTextRequest& request) {
    const FindProcedures& procedures = findProcedures();
    return procedures.locateText && procedures.locateText(grid, request);
}

void TDatasetFeatures::showFindDialog(SearchableGrid& grid, const QString& text, bool modal) {
    if (const FindProcedures& procedures = findProcedures(); procedures.showFindDialog)
        procedures.showFindDialog(grid, text, modal);
}

QString TDatasetFeatures::sortString(const SortKeyList& sortKeys) {
    QString text;
    for (int i = 0; i < sortKeys.count(); ++i) {
        const TColumn& column = sortKeys.at(i);
        text += u'[' + column.fieldName() + u']' +
                (column.title().sortMarker() == smUp ? QStringLiteral(" DESC, ")
                                                     : QStringLiteral(", "));
    }
    text.chop(2);
    return text;
}

void TDatasetFeatures::sortLocally(const SortKeyList& sortKeys, store::Query& dataSet) {
    dataSet.setSort(sortString(sortKeys));
}

void TDatasetFeatures::filterLocally(const TDBGridColumns& columns, store::Query& dataSet) const {
    dataSet.setFilter(filterString(columns, supportsLocalLike()));
    dataSet.setFiltered(true);
}

}  // namespace grid
