#pragma once

#include <QStyledItemDelegate>

namespace grid {

// Draws a data cell as the style draws an item (background, selection,
// focus) with its text placed as the footer places its texts, so that a
// number that only just fits the column reads whole in both.
class GridCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace grid
