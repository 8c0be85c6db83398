#include "app/Dialogs.h"

#include <tuple>

#include <QFileDialog>

#include "app/ApplicationTitle.h"
#include "app/DialogScript.h"
#include "app/ErrorReport.h"
#include "app/FileDialogColumns.h"
#include "grid/confirm/ConfirmationBox.h"

namespace app {

Dialogs::Dialogs(QWidget* owner, DialogScript* script) : m_owner(owner), m_script(script) {}

QMessageBox::StandardButton Dialogs::exec(QMessageBox& box) {
    if (m_script != nullptr) {
        return m_script->answer(box);
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void Dialogs::showError(const QString& message) {
    QMessageBox box(QMessageBox::Critical, applicationTitle(), errorReportText(message),
                    QMessageBox::Ok, m_owner);
    grid::setButtonCaption(box, QMessageBox::Ok, QStringLiteral("OK"));
    exec(box);
}

void Dialogs::showMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok, m_owner);
    grid::setButtonCaption(box, QMessageBox::Ok, QStringLiteral("OK"));
    exec(box);
}

bool Dialogs::confirm(const QString& caption, const QString& text) {
    grid::ConfirmationBox box(m_owner, caption, text);
    return exec(box) == QMessageBox::Ok;
}

QMessageBox::StandardButton Dialogs::askYesNoCancel(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Information, title, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_owner);
    grid::setButtonCaption(box, QMessageBox::Yes, QStringLiteral("是"));
    grid::setButtonCaption(box, QMessageBox::No, QStringLiteral("否"));
    grid::setButtonCaption(box, QMessageBox::Cancel, QStringLiteral("取消"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    return exec(box);
}

QString Dialogs::openFileName() {
    const QString title = QStringLiteral("打开");
    QString fileName;
    if (m_script != nullptr) {
        fileName = m_script->openFileName(title, m_lastOpenFile);
    } else {
        QFileDialog dialog(m_owner, title);
        fitDetailColumns(dialog);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        if (!m_lastOpenFile.isEmpty()) {
            dialog.selectFile(m_lastOpenFile);
        }
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            fileName = dialog.selectedFiles().constFirst();
        }
    }
    if (!fileName.isEmpty()) {
        m_lastOpenFile = fileName;
    }
    return fileName;
}

Dialogs::SaveChoice Dialogs::saveFileName(const QStringList& fileTypes) {
    const QString title = QStringLiteral("另存为");
    SaveChoice choice{QString(), m_lastSaveEntry};
    if (m_script != nullptr) {
        std::tie(choice.fileName, choice.entry) =
            m_script->saveFileName(title, m_lastSaveFile, m_lastSaveEntry);
    } else {
        QFileDialog dialog(m_owner, title);
        fitDetailColumns(dialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The export asks its own question about an existing file.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setNameFilters(fileTypes);
        dialog.selectNameFilter(fileTypes.value(m_lastSaveEntry - 1));
        if (!m_lastSaveFile.isEmpty()) {
            dialog.selectFile(m_lastSaveFile);
        }
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            choice.fileName = dialog.selectedFiles().constFirst();
            choice.entry = static_cast<int>(fileTypes.indexOf(dialog.selectedNameFilter())) + 1;
        }
    }
    if (!choice.fileName.isEmpty()) {
        m_lastSaveFile = choice.fileName;
        m_lastSaveEntry = choice.entry;
    }
    return choice;
}

}  // namespace app
