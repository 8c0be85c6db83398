#pragma once

#include <QPixmap>

#include "grid/navigator/TNavigateBtn.h"

namespace grid {

// The two images of a navigator button's glyph: one drawn while the button
// is enabled, a grey embossed one while it is disabled. They are painted here
// rather than loaded, so the navigator needs no image files.
struct NavGlyph {
    QPixmap enabled;
    QPixmap disabled;

    static NavGlyph forButton(TNavigateBtn button);
};

}  // namespace grid
