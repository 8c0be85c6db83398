#pragma once

#include <QAbstractButton>
#include <QTimer>

#include "grid/navigator/NavGlyph.h"
#include "grid/navigator/TNavigateBtn.h"

namespace grid {

// One button of the navigator: a speed button with a glyph that never takes
// the keyboard focus. A button that repeats clicks on its own while it is
// held down: the first repeat comes kRepeatDelay ms after the press, then one
// every kRepeatInterval ms while the button is still down under the mouse;
// releasing it stops the repeating and clicks once more as usual.
class TNavButton : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr int kRepeatDelay = 400;
    static constexpr int kRepeatInterval = 100;

    TNavButton(TNavigateBtn index, QWidget* parent);

    TNavigateBtn index() const { return m_index; }
    const QString& hint() const { return m_hint; }
    void setHint(const QString& hint) { m_hint = hint; }
    bool isFlat() const { return m_flat; }
    void setFlat(bool flat);
    bool repeats() const { return m_repeats; }
    void setRepeats(bool repeats);
    void stopRepeating();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A click made by holding the button down.
    void repeatClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void repeatTimerExpired();

    TNavigateBtn m_index;
    NavGlyph m_glyph;
    QString m_hint;
    bool m_flat = false;
    bool m_repeats = false;
    QTimer m_repeatTimer;
};

}  // namespace grid
