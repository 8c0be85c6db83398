#include "grid/filterrow/FilterDropDownModel.h"

namespace grid {

namespace {

// Top to bottom; the order items stand only in lists that sort.
constexpr FilterItem kFixedItems[] = {
    FilterItem::OrderByDescending,
    FilterItem::OrderByAscending,
    FilterItem::Separator,
    FilterItem::ClearFilter,
    FilterItem::All,
    FilterItem::NotEmpty,
    FilterItem::Empty,
};

QString fixedItemText(FilterItem item) {
    switch (item) {
        case FilterItem::OrderByDescending:
            return QStringLiteral("(Order by descending)");
        case FilterItem::OrderByAscending:
            return QStringLiteral("(Order by ascending)");
        case FilterItem::Separator:
            return QStringLiteral("-");
        case FilterItem::ClearFilter:
            return QStringLiteral("(Clear filter)");
        case FilterItem::All:
            return QStringLiteral("(All)");
        case FilterItem::NotEmpty:
            return QStringLiteral("(Not empty)");
        case FilterItem::Empty:
            return QStringLiteral("(Empty)");
        case FilterItem::Value:
            break;
    }
    return {};
}

}  // namespace

void FilterDropDownModel::setItems(bool withOrderItems, const QStringList& values) {
    beginResetModel();
    m_withOrderItems = withOrderItems;
    m_values = values;
    endResetModel();
}

FilterItem FilterDropDownModel::itemAt(int row) const {
    if (row >= firstValueRow())
        return FilterItem::Value;
    return kFixedItems[row + 3 - firstFixedRow()];
}

QString FilterDropDownModel::textAt(int row) const {
    if (row < 0 || row >= rowCount())
        return {};
    const FilterItem item = itemAt(row);
    return item == FilterItem::Value ? m_values[row - firstValueRow()] : fixedItemText(item);
}

int FilterDropDownModel::rowOfValue(const QString& text) const {
    const qsizetype index = m_values.indexOf(text);
    return index < 0 ? -1 : firstValueRow() + static_cast<int>(index);
}

int FilterDropDownModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : firstValueRow() + static_cast<int>(m_values.size());
}

QVariant FilterDropDownModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return textAt(index.row());
}

Qt::ItemFlags FilterDropDownModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || itemAt(index.row()) == FilterItem::Separator)
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

}  // namespace grid
