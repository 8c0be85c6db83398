#include "grid/look/GridMetrics.h"

#include <algorithm>
#include <cmath>

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

QColor filterCellColor(const QPalette& palette) {
    const QColor window = windowColor(palette);
    const QColor fixed = fixedColor(palette);
    const auto channel = [](int from, int to) {
        const long value = std::lround(from + (to - from) * 8.0 / 255.0);
        return static_cast<int>(std::clamp(value, 0L, 255L));
    };
    return QColor(channel(window.red(), fixed.red()), channel(window.green(), fixed.green()),
                  channel(window.blue(), fixed.blue()));
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
