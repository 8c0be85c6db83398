#pragma once

#include <memory>
#include <vector>

#include <QObject>
#include <QString>

#include "grid/columns/ColumnChange.h"
#include "grid/columns/SortKeyList.h"
#include "grid/columns/TDBGridColumn.h"

namespace store {
class DataSource;
}

namespace grid {

// The grid's ordered column list. Columns are added at the end and moved,
// never removed; their order is the order in which the grid shows them and
// in which filters and searches visit them.
class TDBGridColumns : public QObject {
    Q_OBJECT

public:
    explicit TDBGridColumns(QObject* parent = nullptr);
    ~TDBGridColumns() override;

    int count() const { return static_cast<int>(m_items.size()); }
    TDBGridColumn& at(int index) const;
    // -1 when the column is not in the list.
    int indexOf(const TDBGridColumn& column) const;
    TDBGridColumn& add();
    // Moves the column at `from` so that it stands at `to` (clamped).
    void move(int from, int to);

    // The first column, in list order, whose bound field's name equals
    // `fieldName` exactly; none when no column shows such a field.
    TDBGridColumn* columnShowingField(const QString& fieldName) const;

    // The data source whose dataset gives the columns their fields.
    store::DataSource* dataSource() const { return m_dataSource; }
    void setDataSource(store::DataSource* dataSource) { m_dataSource = dataSource; }

    // The columns that carry a sort marker, in sort order.
    SortKeyList& sortKeys() { return m_sortKeys; }
    const SortKeyList& sortKeys() const { return m_sortKeys; }

    // A batch update: column settings changed in between are stored as they
    // come, and the sort key list is rebuilt from the markers at its end.
    void beginUpdate() { ++m_updateCount; }
    void endUpdate();
    bool isUpdating() const { return m_updateCount > 0; }

    // The grid's sum list, where the columns' footers keep their aggregates.
    TDBGridSumList* sumList() const { return m_sumList; }
    void setSumList(TDBGridSumList* sumList) { m_sumList = sumList; }

signals:
    void columnAdded(grid::TDBGridColumn* column);
    void columnMoved(int from, int to);
    void columnChanged(grid::TDBGridColumn* column, grid::ColumnChange change);

private:
    std::vector<std::unique_ptr<TDBGridColumn>> m_items;
    store::DataSource* m_dataSource = nullptr;
    TDBGridSumList* m_sumList = nullptr;
    SortKeyList m_sortKeys{*this};
    int m_updateCount = 0;
};

}  // namespace grid
