#include "app/DialogScript.h"

#include <QPushButton>

namespace app {

void DialogScript::queueAnswer(QMessageBox::StandardButton answer) {
    m_answers.push_back(answer);
}

void DialogScript::queueFileName(const QString& fileName, int entry) {
    m_fileNames.emplace_back(fileName, entry);
}

QMessageBox::StandardButton DialogScript::answer(const QMessageBox& box) {
    Shown shown{Kind::MessageBox, box.windowTitle(), box.text(), 0, box.icon(), {}};
    for (unsigned bit = QMessageBox::FirstButton; bit <= QMessageBox::LastButton; bit <<= 1) {
        if (const QAbstractButton* button =
                box.button(static_cast<QMessageBox::StandardButton>(bit))) {
            shown.buttons.append(button->text());
        }
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
    m_shown.push_back({Kind::OpenFile, title, startFile, 0, QMessageBox::NoIcon, {}});
    return nextFileName().first;
}

std::pair<QString, int> DialogScript::saveFileName(const QString& title, const QString& startFile,
                                                   int startEntry) {
    m_shown.push_back({Kind::SaveFile, title, startFile, startEntry, QMessageBox::NoIcon, {}});
    return nextFileName();
}

std::pair<QString, int> DialogScript::nextFileName() {
    if (m_fileNames.empty()) {
        return {};
    }
    std::pair<QString, int> choice = m_fileNames.front();
    m_fileNames.pop_front();
    return choice;
}

}  // namespace app
