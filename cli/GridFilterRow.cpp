#include "cli/GridFilterRow.h"

#include "cli/CliCommand.h"
#include "grid/columns/ItemGridColumns.h"
#include "grid/features/DatasetFeaturesRegistry.h"
#include "grid/features/FilterString.h"
#include "store/Query.h"

namespace cli {

using namespace Qt::StringLiterals;

GridFilterRow::GridFilterRow(store::Query& itemQuery) : m_itemQuery(itemQuery) {
    m_source.setDataSet(&itemQuery);
    m_columns.setDataSource(&m_source);
    grid::addItemColumns(m_columns, &m_source);
    // As in the window, a field that no configured column shows gets a column of its own.
    for (int i = 0; i < itemQuery.fieldCount(); ++i) {
        const QString& name = itemQuery.field(i).name();
        if (!m_columns.columnShowingField(name))
            m_columns.add().setFieldName(name);
    }
}

void GridFilterRow::type(const QString& columnAndText) {
    const qsizetype equals = columnAndText.indexOf(u'=');
    if (equals <= 0)
        throw UsageError(u"--filter takes COLUMN=TEXT, not: "_s + columnAndText);
    const QString column = columnAndText.left(equals);
    for (int i = 0; i < m_columns.count(); ++i) {
        if (m_columns.at(i).fieldName() == column) {
            m_columns.at(i).stFilter().assignFilterText(columnAndText.mid(equals + 1));
            return;
        }
    }
    throw UsageError(u"no grid column shows the field "_s + column);
}

QString GridFilterRow::filterString() const {
    const grid::TDatasetFeatures* features = grid::resolveDatasetFeatures(m_itemQuery);
    return grid::filterString(m_columns, features && features->supportsLocalLike());
}

void GridFilterRow::apply() {
    if (grid::TDatasetFeatures* features = grid::resolveDatasetFeatures(m_itemQuery))
        features->applyFilter(m_columns, m_itemQuery, m_itemQuery.isActive());
}

}  // namespace cli
