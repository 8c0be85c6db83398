#pragma once

#include <functional>

#include <QMessageBox>

class QString;
class QWidget;

namespace grid {

// Asks a yes-or-no question with the given caption and text; true for yes.
// Windows set one on the grid and the navigator to ask through their own dialogs.
using Confirmer = std::function<bool(const QString& caption, const QString& text)>;

// A confirmation message box: the question icon, the caption, the text and
// the buttons "OK", the default, and "取消".
class ConfirmationBox : public QMessageBox {
    Q_OBJECT

public:
    ConfirmationBox(QWidget* parent, const QString& caption, const QString& text);
};

// Shows a ConfirmationBox; true only when OK is chosen.
bool askConfirmation(QWidget* parent, const QString& caption, const QString& text);

// Gives a button of a message box a plain caption, without the style's icon.
void setButtonCaption(QMessageBox& box, QMessageBox::StandardButton which, const QString& caption);

}  // namespace grid
