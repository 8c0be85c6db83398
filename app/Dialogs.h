#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace app {

class DialogScript;

// Every message box and file dialog of the main window. With a script the
// boxes and dialogs are not shown; the script answers them instead.
class Dialogs {
public:
    explicit Dialogs(QWidget* owner, DialogScript* script = nullptr);

    // The default error report: stop icon, OK, the application title, and
    // the message with "." appended as errorReportText() says.
    void showError(const QString& message);
    // A success message: the text, OK, no icon, the application title.
    void showMessage(const QString& text);
    // A confirmation box with the buttons "OK" and "取消"; true only for OK.
    bool confirm(const QString& caption, const QString& text);

    // The shared open dialog OpenDialog1: no file-type filter; it starts from
    // the file last chosen in it. Returns the chosen file, empty when cancelled.
    QString openFileName();

private:
    QMessageBox::StandardButton exec(QMessageBox& box);

    QWidget* m_owner;
    DialogScript* m_script;
    QString m_lastOpenFile;
};

}  // namespace app
