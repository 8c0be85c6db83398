#pragma once

#include <vector>

#include <QAbstractTableModel>

#include "store/DataLink.h"

namespace store {
class DataSource;
class Field;
class Query;
}  // namespace store

namespace grid {

class TDBGridColumn;
class TDBGridColumns;

// The grid's rows and columns as a table model over the dataset of a data
// source. Rows are the dataset's rows, read on demand with the dataset's
// row access, so only the rows on screen are ever asked for. Columns are the
// grid's columns in the order they were added; the grid's header shows them
// in the order of the column list.
//
// The model listens to the dataset as one of its data links and turns the
// dataset's notices into model signals.
class GridDataModel : public QAbstractTableModel, private store::DataLink {
    Q_OBJECT

public:
    explicit GridDataModel(TDBGridColumns& columns, QObject* parent = nullptr);
    ~GridDataModel() override;

    using store::DataLink::dataSource;
    void setDataSource(store::DataSource* dataSource);
    // True while the data source has a dataset and that dataset is open.
    bool isActive() const { return m_active; }
    // The dataset shown, none while inactive.
    store::Query* dataSet() const;
    // The dataset's current row as last reported, -1 when there is none.
    int currentRow() const { return m_cursor; }
    // True while the model passes on a change of the dataset or of the
    // columns; views then follow the model rather than steer the dataset.
    bool isNotifying() const { return m_notifying; }

    TDBGridColumns& columns() const { return m_columns; }
    TDBGridColumn& columnAt(int modelColumn) const;
    int modelColumnOf(const TDBGridColumn& column) const;
    // The field a model column shows, none when unbound.
    store::Field* fieldAt(int modelColumn) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The dataset was attached, detached, opened or closed.
    void dataSetActiveChanged();
    // The dataset's cursor moved, or the rows changed as a whole.
    void cursorMoved(int row);
    // The dataset entered or left edit or insert state.
    void dataSetEditingChanged();
    // The dataset is about to post: pending editor text goes into the field now.
    void updateDataRequested();

private:
    void activeChanged() override;
    void dataSetChanged() override;
    void dataSetScrolled(int distance) override;
    void recordChanged(store::Field* field) override;
    void editingChanged() override;
    void updateData() override;

    void addColumn(TDBGridColumn* column);
    void columnChanged(TDBGridColumn* column);
    void bindFields();
    void insertRowsAt(int first, int count);
    void removeRowsAt(int first, int count);
    void moveCursor();
    int dataSetRow(int modelRow) const;

    TDBGridColumns& m_columns;
    std::vector<TDBGridColumn*> m_modelColumns;
    std::vector<store::Field*> m_fields;  // per model column
    bool m_active = false;
    bool m_notifying = false;
    int m_rowCount = 0;
    int m_cursor = -1;
    int m_insertRow = -1;  // the record being inserted, as last seen
    // While rows are announced as inserted or removed, the dataset has already
    // changed; model rows from m_shiftFrom on read the dataset's rows shifted
    // by m_shift, so the model keeps showing its old layout until the change ends.
    int m_shiftFrom = -1;
    int m_shift = 0;
};

}  // namespace grid
