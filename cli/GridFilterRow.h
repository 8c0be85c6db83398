#pragma once

#include <QString>

#include "grid/columns/TDBGridColumns.h"
#include "store/DataSource.h"

namespace store {
class Query;
}

namespace cli {

// The window's grid columns over the open item query, without the window:
// filter texts typed into their filter cells become the item query's filter
// exactly as the grid applies them.
class GridFilterRow {
public:
    explicit GridFilterRow(store::Query& itemQuery);

    // Types TEXT into the filter cell of the column whose field name is
    // COLUMN, given as "COLUMN=TEXT". A text that does not parse raises the
    // parser's error; an unknown column or a missing "=" a usage error.
    void type(const QString& columnAndText);
    // The dataset filter string of the typed texts, pieces in column order.
    QString filterString() const;
    // Filters the item query by the filter string, as the grid does.
    void apply();

private:
    store::Query& m_itemQuery;
    store::DataSource m_source;
    grid::TDBGridColumns m_columns;
};

}  // namespace cli
