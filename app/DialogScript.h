#pragma once

#include <deque>
#include <utility>
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
    enum class Kind { MessageBox, OpenFile, SaveFile };

    struct Shown {
        Kind kind;
        QString title;
        QString text;   // the message, or the file a dialog starts from
        int entry = 0;  // the file-type entry a save dialog starts from, from 1
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons;  // button texts: OK, Yes, No, Cancel, in this order
    };

    void queueAnswer(QMessageBox::StandardButton answer);
    // An empty name cancels the dialog; `entry` is the file-type entry
    // chosen in a save dialog, counted from 1.
    void queueFileName(const QString& fileName, int entry = 1);

    const std::vector<Shown>& shown() const { return m_shown; }
    void clearShown() { m_shown.clear(); }

    // Used by Dialogs.
    QMessageBox::StandardButton answer(const QMessageBox& box);
    QString openFileName(const QString& title, const QString& startFile);
    // The chosen file name and entry; an empty name when cancelled.
    std::pair<QString, int> saveFileName(const QString& title, const QString& startFile,
                                         int startEntry);

private:
    std::pair<QString, int> nextFileName();

    std::deque<QMessageBox::StandardButton> m_answers;
    std::deque<std::pair<QString, int>> m_fileNames;
    std::vector<Shown> m_shown;
};

}  // namespace app
