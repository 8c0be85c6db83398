#include "grid/look/GridMetrics.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>
#include <qdrawutil.h>

namespace grid {

int cellHeight(const QFont& font) {
    return QFontMetrics(font).height() + 4;
}

QColor fixedColor(const QPalette& palette) {
    return palette.color(QPalette::Button);
}

QColor windowColor(const QPalette& palette) {
    return palette.color(QPalette::Base);
}

QColor gridLineColor(const QWidget* widget) {
    QStyleOption option;
    option.initFrom(widget);
    const int hint = widget->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, widget);
    return QColor::fromRgba(static_cast<QRgb>(hint));
}

void paintFixedCell(QPainter* painter, const QRect& rect, const QPalette& palette) {
    const QBrush fill(fixedColor(palette));
    qDrawShadePanel(painter, rect, palette, false, 1, &fill);
}

}  // namespace grid
