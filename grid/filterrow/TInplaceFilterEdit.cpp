#include "grid/filterrow/TInplaceFilterEdit.h"

#include <QKeyEvent>
#include <QStyle>
#include <QToolButton>

namespace grid {

namespace {

constexpr Qt::KeyboardModifiers kModifierKeys =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

}  // namespace

TInplaceFilterEdit::TInplaceFilterEdit(QWidget* parent)
    : QLineEdit(parent), m_button(new QToolButton(this)) {
    setObjectName(QStringLiteral("TInplaceFilterEdit"));
    setFrame(false);
    m_button->setObjectName(QStringLiteral("FilterDropDownButton"));
    m_button->setArrowType(Qt::DownArrow);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setCursor(Qt::ArrowCursor);
    m_button->hide();
    connect(m_button, &QToolButton::pressed, this, &TInplaceFilterEdit::dropDownRequested);
    setBackground(palette().color(QPalette::Base));
    hide();
}

void TInplaceFilterEdit::setHasButton(bool hasButton) {
    m_hasButton = hasButton;
    m_button->setVisible(hasButton);
    placeButton();
}

void TInplaceFilterEdit::setBackground(const QColor& background) {
    QPalette colours = palette();
    colours.setColor(QPalette::Base, background);
    colours.setColor(QPalette::Text, Qt::blue);
    setPalette(colours);
}

QRect TInplaceFilterEdit::buttonRect() const {
    return m_hasButton ? m_button->geometry() : QRect();
}

void TInplaceFilterEdit::placeButton() {
    const int width = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    m_button->setGeometry(this->width() - width, 0, width, height());
    setTextMargins(0, 0, m_hasButton ? width : 0, 0);
}

void TInplaceFilterEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    placeButton();
}

bool TInplaceFilterEdit::event(QEvent* event) {
    // Tab would move the focus before keyPressEvent() sees it.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && handleKey(*key)) {
            key->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void TInplaceFilterEdit::keyPressEvent(QKeyEvent* event) {
    if (handleKey(*event))
        event->accept();
    else
        QLineEdit::keyPressEvent(event);
}

bool TInplaceFilterEdit::handleKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & kModifierKeys;
    const bool ctrl = modifiers == Qt::ControlModifier;
    const bool atStart = !hasSelectedText() && cursorPosition() == 0;
    const bool atEnd = !hasSelectedText() && cursorPosition() == text().size();
    int key = event.key();
    if (layoutDirection() == Qt::RightToLeft && (key == Qt::Key_Left || key == Qt::Key_Right))
        key = key == Qt::Key_Left ? Qt::Key_Right : Qt::Key_Left;
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit applyRequested();
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            if (!m_tabsMove || modifiers.testFlag(Qt::AltModifier) ||
                modifiers.testFlag(Qt::ControlModifier))
                return false;
            emit moveRequested(key == Qt::Key_Backtab || modifiers.testFlag(Qt::ShiftModifier)
                                   ? FilterCellMove::Previous
                                   : FilterCellMove::Next);
            return true;
        case Qt::Key_Left:
            if (ctrl)
                emit moveRequested(FilterCellMove::First);
            else if (!modifiers && atStart)
                emit moveRequested(FilterCellMove::Previous);
            else
                return false;
            return true;
        case Qt::Key_Right:
            if (ctrl)
                emit moveRequested(FilterCellMove::Last);
            else if (!modifiers && atEnd)
                emit moveRequested(FilterCellMove::Next);
            else
                return false;
            return true;
        case Qt::Key_Home:
            if (!ctrl && !(!modifiers && atStart))
                return false;
            emit moveRequested(FilterCellMove::First);
            return true;
        case Qt::Key_End:
            if (!ctrl && !(!modifiers && atEnd))
                return false;
            emit moveRequested(FilterCellMove::Last);
            return true;
        case Qt::Key_Up:
            if (modifiers == Qt::AltModifier && m_hasButton) {
                emit dropDownRequested();
                return true;
            }
            return !modifiers;
        case Qt::Key_Down:
            if (modifiers == Qt::AltModifier) {
                if (m_hasButton)
                    emit dropDownRequested();
                return true;
            }
            if (modifiers && !ctrl)
                return false;
            emit dataRequested(!ctrl);
            return true;
        case Qt::Key_F4:
            if (!modifiers && m_hasButton)
                emit dropDownRequested();
            return !modifiers;
        case Qt::Key_F2:
            deselect();
            end(false);
            return true;
        case Qt::Key_Escape:
            emit closeRequested();
            return true;
        default:
            return false;
    }
}

}  // namespace grid
