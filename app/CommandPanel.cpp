#include "app/CommandPanel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace app {
namespace {

struct ButtonLayout {
    const char* name;
    QString caption;
    QRect geometry;
    bool shown;
    bool enabled;
};

// In focus order. The navigator, placed by the main window at 7, 10, 279 x 25,
// comes first.
const std::vector<ButtonLayout>& buttonLayouts() {
    static const std::vector<ButtonLayout> layouts{
        {"Button12", QStringLiteral("&D关联数据文件"), {292, 10, 127, 25}, true, true},
        {"Button5", QStringLiteral("&R刷新"), {425, 10, 59, 25}, true, false},
        {"Button4", QStringLiteral("&O打开数据库"), {490, 10, 104, 25}, true, false},
        {"Button1", QStringLiteral("&R导入"), {600, 10, 59, 25}, true, false},
        {"Button2", QStringLiteral("&C导出"), {666, 10, 59, 25}, true, false},
        {"Button8", QStringLiteral("&M去除重复"), {731, 10, 88, 25}, true, false},
        {"Button11", QStringLiteral("&L清空数据"), {825, 10, 88, 25}, true, false},
        {"Button7", QStringLiteral("&S设置"), {854, 28, 59, 25}, false, true},
        {"Button3", QStringLiteral("&T退出"), {919, 10, 59, 25}, true, true},
        {"Button17", QStringLiteral("&M追加文件"), {742, 34, 88, 25}, false, false},
        {"Button6", QStringLiteral("&M生成模板"), {910, 34, 81, 25}, false, false},
    };
    return layouts;
}

// The order in which accelerators are offered; the navigator, between
// Button4 and Button5, has no accelerators.
const char* const kCreationOrder[] = {"Button1",  "Button2", "Button3",  "Button4",
                                      "Button5",  "Button6", "Button11", "Button12",
                                      "Button17", "Button7", "Button8"};

// The letter after the first single "&" of a caption, upper case; null when none.
QChar acceleratorOf(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) {
            continue;
        }
        if (caption[i + 1] != QLatin1Char('&')) {
            return caption[i + 1].toUpper();
        }
        ++i;
    }
    return {};
}

// The character of a key press, upper case; null for keys that type none.
QChar typedCharacter(const QKeyEvent& event) {
    const int key = event.key();
    if (key > 0x20 && key < 0x7f) {
        return QChar(key).toUpper();
    }
    if (!event.text().isEmpty()) {
        return event.text().front().toUpper();
    }
    return {};
}

}  // namespace

CommandPanel::CommandPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("CommandPanel"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setFixedHeight(44);

    std::vector<QPushButton*> focusOrder;
    for (const ButtonLayout& layout : buttonLayouts()) {
        auto* button = new QPushButton(layout.caption, this);
        // The caption keeps its underlined letter, but the accelerator is
        // ours: Qt's own would cycle the focus between buttons that share a
        // letter instead of clicking one of them.
        button->setShortcut(QKeySequence());
        button->setObjectName(QLatin1String(layout.name));
        button->setGeometry(layout.geometry);
        button->setEnabled(layout.enabled);
        button->setVisible(layout.shown);
        button->setFocusPolicy(Qt::StrongFocus);
        focusOrder.push_back(button);
    }
    for (std::size_t i = 1; i < focusOrder.size(); ++i) {
        setTabOrder(focusOrder[i - 1], focusOrder[i]);
    }
    for (const char* name : kCreationOrder) {
        m_creationOrder.push_back(button(QLatin1String(name)));
    }

    qApp->installEventFilter(this);
}

QPushButton* CommandPanel::button(const QString& name) const {
    return findChild<QPushButton*>(name, Qt::FindDirectChildrenOnly);
}

bool CommandPanel::offerAccelerator(QChar letter) {
    const QChar wanted = letter.toUpper();
    for (QPushButton* button : m_creationOrder) {
        if (!button->isHidden() && button->isEnabled() && acceleratorOf(button->text()) == wanted) {
            button->click();
            return true;
        }
    }
    return false;
}

bool CommandPanel::isCommandButton(const QObject* object) const {
    return object->parent() == this && qobject_cast<const QPushButton*>(object) != nullptr;
}

bool CommandPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) {
        return false;
    }
    const auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != window()) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers =
        key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    const bool withAlt = modifiers == Qt::AltModifier;
    const bool aloneOnButton = modifiers == Qt::NoModifier && isCommandButton(watched);
    if (!withAlt && !aloneOnButton) {
        return false;
    }
    const QChar letter = typedCharacter(*key);
    return !letter.isNull() && offerAccelerator(letter);
}

}  // namespace app
