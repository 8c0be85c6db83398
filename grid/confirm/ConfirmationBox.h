#pragma once

class QString;
class QWidget;

namespace grid {

// Shows a confirmation message box with the caption, the text and the
// buttons "OK" and "取消"; true only when OK is chosen.
bool askConfirmation(QWidget* parent, const QString& caption, const QString& text);

}  // namespace grid
