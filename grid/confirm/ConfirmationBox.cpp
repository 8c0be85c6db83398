#include "grid/confirm/ConfirmationBox.h"

#include <utility>

#include <QAbstractButton>
#include <QMessageBox>

namespace grid {

bool askConfirmation(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    for (auto [which, label] : {std::pair{QMessageBox::Ok, QStringLiteral("OK")},
                                std::pair{QMessageBox::Cancel, QStringLiteral("取消")}}) {
        QAbstractButton* button = box.button(which);
        button->setText(label);
        button->setIcon(QIcon());
    }
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

}  // namespace grid
