#pragma once

#include <QFont>

namespace grid {

// The grid and the windows are drawn in "宋体". Linux has no font of that name, so it is
// mapped onto an installed CJK font; without that, Chinese captions and
// values would render as boxes.
void installSongTiSubstitution();

// "宋体" with the given character height in pixels.
QFont songTiFont(int characterHeight);

}  // namespace grid
