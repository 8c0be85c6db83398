#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

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
    // A question with the information icon and the buttons "是", "否" and
    // "取消"; returns Yes, No or Cancel (closing the box counts as Cancel).
    QMessageBox::StandardButton askYesNoCancel(const QString& title, const QString& text);

    // The shared open dialog OpenDialog1: no file-type filter; it starts from
    // the file last chosen in it. Returns the chosen file, empty when cancelled.
    QString openFileName();

    struct SaveChoice {
        QString fileName;  // empty when cancelled
        int entry;         // the file-type entry chosen, counted from 1
    };
    // The export's save dialog SaveDialog1 with file-type entries such as
    // "csv文件 (*.csv)" and no default extension. It starts from the file name
    // and entry last chosen in it, the first entry until one is chosen.
    SaveChoice saveFileName(const QStringList& fileTypes);
    // Changes the file name the save dialog starts from next time.
    void setSaveFileName(const QString& fileName) { m_lastSaveFile = fileName; }

private:
    QMessageBox::StandardButton exec(QMessageBox& box);

    QWidget* m_owner;
    DialogScript* m_script;
    QString m_lastOpenFile;
    QString m_lastSaveFile;
    int m_lastSaveEntry = 1;
};

}  // namespace app
