#pragma once

#include <QtCore/qnamespace.h>

namespace grid {

// Horizontal alignment of a cell, a title or a footer.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// The Qt alignment for drawing: horizontal as given, centred vertically.
Qt::Alignment toQtAlignment(TAlignment alignment);

}  // namespace grid
