#pragma once

#include <QColor>
#include <QFont>

class QPainter;
class QPalette;
class QRect;
class QWidget;

namespace grid {

// The height of a grid row (data, title, filter or footer) drawn in `font`:
// the font's line height and a margin of two pixels above and below.
int cellHeight(const QFont& font);

// The background of fixed cells (titles, indicator) and of the data area.
QColor fixedColor(const QPalette& palette);
QColor windowColor(const QPalette& palette);

// The filter row's background: the window colour moved 8/255 of the way
// towards the fixed colour, channel by channel.
QColor filterCellColor(const QPalette& palette);

// The colour of the lines between data cells, as the style gives it.
QColor gridLineColor(const QWidget* widget);

// A fixed cell drawn raised, as the grid draws its titles and indicator.
void paintFixedCell(QPainter* painter, const QRect& rect, const QPalette& palette);

}  // namespace grid
