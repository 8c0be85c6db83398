#pragma once

#include <deque>
#include <vector>

#include <QMessageBox>
#include <QString>
#include <QStringList>

namespace app {

// Stands in for the user at the main window's message boxes and file
// dialogs: nothing modal is shown; each box takes the next queued answer (its
// default button when none is queued), each file dialog the next queued file
// name (cancelled when none is queued), and what would have been shown is
// recorded. Tests hand one to the main window.
class DialogScript {
public:
    enum class Kind { MessageBox, OpenFile };

    struct Shown {
        Kind kind;
        QString title;
        QString text;  // the message, or the file a dialog starts from
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons;  // button texts in the box's order
    };

    void queueAnswer(QMessageBox::StandardButton answer);
    // An empty name cancels the dialog.
    void queueFileName(const QString& fileName);

    const std::vector<Shown>& shown() const { return m_shown; }
    void clearShown() { m_shown.clear(); }

    // Used by Dialogs.
    QMessageBox::StandardButton answer(const QMessageBox& box);
    QString openFileName(const QString& title, const QString& startFile);

private:
    std::deque<QMessageBox::StandardButton> m_answers;
    std::deque<QString> m_fileNames;
    std::vector<Shown> m_shown;
};

}  // namespace app
