#include "app/TForm2.h"

#include <algorithm>
#include <utility>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>

#include "app/ApplicationOwned.h"
#include "grid/look/SongTiFont.h"

namespace app {
namespace {

constexpr std::chrono::milliseconds kRedrawInterval{50};

// A dialog window with a title and no title-bar buttons.
constexpr Qt::WindowFlags kWindowFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

QPointer<TForm2>& instance() {
    static QPointer<TForm2> form;
    return form;
}

QPointer<QWidget>& mainWindow() {
    static QPointer<QWidget> window;
    return window;
}

}  // namespace

TForm2& TForm2::get() {
    if (instance().isNull()) {
        instance() = new TForm2;
        ownByApplication(instance());
    }
    return *instance();
}

// A window with a parent stays a window of its own, placed on the screen;
// the parent makes it transient for the main window.
void TForm2::setMainWindow(QWidget* window) {
    mainWindow() = window;
    if (!instance().isNull() && instance()->parentWidget() != window) {
        instance()->setParent(window, kWindowFlags);
    }
}

TForm2::TForm2()
    : QWidget(mainWindow(), kWindowFlags),
      m_bar(new QProgressBar(this)),
      m_counts(new QLabel(QStringLiteral("当前/总数"), this)),
      m_redraws(kRedrawInterval) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Form2"));
    setFont(grid::songTiFont(14));
    move(284, 293);
    resize(711, 136);

    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setTextVisible(false);
    updateBar();
    m_bar->setGeometry(0, 0, width(), 65);

    m_counts->setObjectName(QStringLiteral("StaticText1"));
    m_counts->move(520, 72);
    m_counts->setFixedHeight(18);
    m_counts->adjustSize();

    m_putOffRedraw.setSingleShot(true);
    connect(&m_putOffRedraw, &QTimer::timeout, this, &TForm2::redrawPutOff);
}

// The position stays within 0 and the maximum, as on a progress bar. The
// bar follows at the next redraw.
void TForm2::setPosition(int position) {
    m_position = std::clamp(position, 0, std::max(m_maximum, 0));
    putOffRedraw();
}

void TForm2::setMaximum(int maximum) {
    m_maximum = maximum;
    m_position = std::clamp(m_position, 0, std::max(m_maximum, 0));
    putOffRedraw();
}

int TForm2::position() const {
    return m_position;
}

int TForm2::maximum() const {
    return m_maximum;
}

// A bar whose range is 0 to 0 would turn into a busy indicator; an empty
// command shows an empty bar instead.
void TForm2::updateBar() {
    m_bar->setRange(0, std::max(m_maximum, 1));
    m_bar->setValue(m_position);
}

QString TForm2::countsText() const {
    return m_counts->text();
}

void TForm2::setClock(store::ProgressThrottle::Now now) {
    m_redraws.setClock(std::move(now));
}

// Setting the text and fitting the line to it costs more than a record of
// most commands, so between redraws the counts only wait. The first counts,
// a new maximum and the end of the bar are shown at once.
void TForm2::showCounts() {
    m_countsPutOff = true;
    if (m_maximum != m_shownMaximum || m_position >= m_maximum || m_redraws.due()) {
        redraw();
    } else {
        putOffRedraw();
    }
}

void TForm2::show() {
    QWidget::show();
    raise();
    m_redraws.reset();
    redraw();
}

// Counts that waited go on the line first: it ends with the command's last counts.
void TForm2::close() {
    redrawPutOff();
    hide();
}

void TForm2::putOffRedraw() {
    if (!m_putOffRedraw.isActive()) {
        m_putOffRedraw.start();
    }
}

void TForm2::redrawPutOff() {
    m_putOffRedraw.stop();
    updateBar();
    if (m_countsPutOff) {
        updateCounts();
    }
}

void TForm2::redraw() {
    redrawPutOff();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_redraws.restart();
}

void TForm2::updateCounts() {
    m_counts->setText(QStringLiteral("当前/总数：") + QString::number(m_position) +
                      QLatin1Char('/') + QString::number(m_maximum));
    m_counts->adjustSize();
    m_shownMaximum = m_maximum;
    m_countsPutOff = false;
}

void TForm2::closeEvent(QCloseEvent* event) {
    // Only the command that showed the window closes it.
    if (event->spontaneous()) {
        event->ignore();
    }
}

}  // namespace app
