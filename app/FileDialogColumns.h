#pragma once

class QFileDialog;

namespace app {

// Qt's own open and save dialog sizes its size, type and date columns for
// their English captions; the Chinese captions are shorter, so the values
// under them would be cut. From now on the columns fit their values each
// time a folder has been read.
void fitDetailColumns(QFileDialog& dialog);

}  // namespace app
