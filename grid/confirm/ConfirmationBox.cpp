#include "grid/confirm/ConfirmationBox.h"

#include <QAbstractButton>

namespace grid {

ConfirmationBox::ConfirmationBox(QWidget* parent, const QString& caption, const QString& text)
    : QMessageBox(QMessageBox::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                  parent) {
    setButtonCaption(*this, QMessageBox::Ok, QStringLiteral("OK"));
    setButtonCaption(*this, QMessageBox::Cancel, QStringLiteral("取消"));
    setDefaultButton(QMessageBox::Ok);
}

bool askConfirmation(QWidget* parent, const QString& caption, const QString& text) {
    ConfirmationBox box(parent, caption, text);
    return box.exec() == QMessageBox::Ok;
}

void setButtonCaption(QMessageBox& box, QMessageBox::StandardButton which, const QString& caption) {
    QAbstractButton* button = box.button(which);
    button->setText(caption);
    button->setIcon(QIcon());
}

}  // namespace grid
