#include "grid/look/CellText.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>
#include <QRect>

namespace grid {
namespace {

constexpr int kTextMargin = 2;

}  // namespace

void paintCellText(QPainter& painter, const QRect& cell, Qt::Alignment alignment,
                   const QString& text) {
    if (text.isEmpty() || cell.isEmpty())
        return;
    painter.save();
    painter.setClipRect(cell, Qt::IntersectClip);
    const QRect area = cell.adjusted(kTextMargin, 0, -kTextMargin, 0);
    const QFontMetrics metrics(painter.font());
    const int width = metrics.horizontalAdvance(text);
    if (alignment.testFlag(Qt::AlignRight) && width > area.width()) {
        // Right-aligned as far as the first glyph's ink stays in the cell.
        const int inkStart = std::max(0, metrics.leftBearing(text.front()));
        const int left = std::max(area.right() + 1 - width, cell.left() - inkStart);
        painter.drawText(QRect(left, cell.top(), width, cell.height()),
                         Qt::AlignLeft | (alignment & Qt::AlignVertical_Mask) | Qt::TextSingleLine,
                         text);
    } else {
        painter.drawText(area, alignment | Qt::TextSingleLine, text);
    }
    painter.restore();
}

}  // namespace grid
