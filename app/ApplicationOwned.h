#pragma once

class QWidget;

namespace app {

// Hands a window without a parent to the application: it lives until the
// application object is destroyed, and is deleted then.
void ownByApplication(QWidget* window);

}  // namespace app
