#include "app/DialogScript.h"

#include <QPushButton>

namespace app {

void DialogScript::queueAnswer(QMessageBox::StandardButton answer) {
    m_answers.push_back(answer);
}

void DialogScript::queueFileName(const QString& fileName) {
    m_fileNames.push_back(fileName);
}

QMessageBox::StandardButton DialogScript::answer(const QMessageBox& box) {
    Shown shown{Kind::MessageBox, box.windowTitle(), box.text(), box.icon(), {}};
    for (const QAbstractButton* button : box.buttons()) {
        shown.buttons.append(button->text());
    }
    m_shown.push_back(std::move(shown));

    if (!m_answers.empty()) {
        const QMessageBox::StandardButton answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    return box.standardButton(box.defaultButton());
}

QString DialogScript::openFileName(const QString& title, const QString& startFile) {
    m_shown.push_back({Kind::OpenFile, title, startFile, QMessageBox::NoIcon, {}});
    if (m_fileNames.empty()) {
        return {};
    }
    QString fileName = m_fileNames.front();
    m_fileNames.pop_front();
    return fileName;
}

}  // namespace app
