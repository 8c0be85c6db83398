#pragma once

class QCoreApplication;

namespace app {

// Loads Qt's own Simplified Chinese texts, so that the platform's dialogs and
// standard buttons (the open and save dialogs, an editor's context menu) read
// Chinese as the rest of the window does. The system's own texts, Chinese and
// English, are set as they stand and never pass through this translation.
// False when the translations are not installed; Qt's texts stay English.
bool installQtTranslations(QCoreApplication& application);

}  // namespace app
