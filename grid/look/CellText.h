#pragma once

#include <QString>
#include <Qt>

class QPainter;
class QRect;

namespace grid {

// Draws the text of a grid cell (a data or footer cell) with the painter's
// font and pen. `cell` is the cell without its grid lines; the text is
// aligned two pixels inside its edges and never drawn outside it.
//
// A right-aligned text (a number) too wide for those margins uses them, and
// the blank side of its first glyph, before its leading digits are cut, so
// that seven digits read whole in the 55 pixels of the ID column.
void paintCellText(QPainter& painter, const QRect& cell, Qt::Alignment alignment,
                   const QString& text);

}  // namespace grid
