#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace grid {

// What an item of a filter cell's dropdown list stands for.
enum class FilterItem {
    OrderByDescending,
    OrderByAscending,
    Separator,
    ClearFilter,
    All,
    NotEmpty,
    Empty,
    Value,
};

// The items of a filter cell's dropdown list: the order items when the
// column can be sorted from the list, the fixed items, then the values.
class FilterDropDownModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    // The values are shared, not copied.
    void setItems(bool withOrderItems, const QStringList& values);

    FilterItem itemAt(int row) const;
    QString textAt(int row) const;
    // The row of the value item with exactly this text; -1 when none has it.
    int rowOfValue(const QString& text) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    int firstFixedRow() const { return m_withOrderItems ? 3 : 0; }
    int firstValueRow() const { return firstFixedRow() + 4; }

    bool m_withOrderItems = false;
    QStringList m_values;
};

}  // namespace grid
