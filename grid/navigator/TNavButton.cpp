#include "grid/navigator/TNavButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

namespace grid {
namespace {

constexpr QSize kSmallest(20, 18);

}  // namespace

TNavButton::TNavButton(TNavigateBtn index, QWidget* parent)
    : QAbstractButton(parent), m_index(index), m_glyph(NavGlyph::forButton(index)) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    connect(&m_repeatTimer, &QTimer::timeout, this, &TNavButton::repeatTimerExpired);
}

void TNavButton::setFlat(bool flat) {
    m_flat = flat;
    update();
}

void TNavButton::setRepeats(bool repeats) {
    m_repeats = repeats;
    if (!repeats)
        stopRepeating();
}

void TNavButton::stopRepeating() {
    m_repeatTimer.stop();
}

QSize TNavButton::sizeHint() const {
    return m_glyph.enabled.size().expandedTo(kSmallest) + QSize(8, 8);
}

QSize TNavButton::minimumSizeHint() const {
    return kSmallest;
}

void TNavButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool down = isDown();
    if (!m_flat) {
        qDrawWinButton(&painter, rect(), palette(), down, &palette().brush(QPalette::Button));
    } else {
        // A flat button shows its edge only under the mouse or while pressed.
        painter.fillRect(rect(), palette().brush(QPalette::Button));
        if (down || (isEnabled() && underMouse()))
            qDrawShadePanel(&painter, rect(), palette(), down, 1);
    }
    const QPixmap& image = isEnabled() ? m_glyph.enabled : m_glyph.disabled;
    QPoint at((width() - image.width()) / 2, (height() - image.height()) / 2);
    if (down)
        at += QPoint(1, 1);
    painter.drawPixmap(at, image);
}

void TNavButton::mousePressEvent(QMouseEvent* event) {
    QAbstractButton::mousePressEvent(event);
    if (m_repeats && isDown())
        m_repeatTimer.start(kRepeatDelay);
}

void TNavButton::mouseReleaseEvent(QMouseEvent* event) {
    stopRepeating();
    QAbstractButton::mouseReleaseEvent(event);
}

void TNavButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        stopRepeating();
    QAbstractButton::changeEvent(event);
}

void TNavButton::hideEvent(QHideEvent* event) {
    stopRepeating();
    QAbstractButton::hideEvent(event);
}

void TNavButton::repeatTimerExpired() {
    m_repeatTimer.setInterval(kRepeatInterval);
    // The mouse may have left the button while it is held; the repeating
    // resumes when it comes back.
    if (isDown())
        emit repeatClicked();
}

}  // namespace grid
