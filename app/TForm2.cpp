#include "app/TForm2.h"

#include <algorithm>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>

#include "app/ApplicationOwned.h"
#include "grid/look/SongTiFont.h"

namespace app {
namespace {

constexpr int kRepaintIntervalMs = 50;

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
      m_counts(new QLabel(QStringLiteral("当前/总数"), this)) {
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
}

// The position stays within 0 and the maximum, as on a progress bar.
void TForm2::setPosition(int position) {
    m_position = std::clamp(position, 0, std::max(m_maximum, 0));
    updateBar();
}

void TForm2::setMaximum(int maximum) {
    m_maximum = maximum;
    m_position = std::clamp(m_position, 0, std::max(m_maximum, 0));
    updateBar();
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

void TForm2::showCounts() {
    m_counts->setText(QStringLiteral("当前/总数：") + QString::number(position()) +
                      QLatin1Char('/') + QString::number(maximum()));
    m_counts->adjustSize();
    if (!m_sinceRepaint.isValid() || m_sinceRepaint.elapsed() >= kRepaintIntervalMs) {
        repaintNow();
    }
}

void TForm2::show() {
    QWidget::show();
    raise();
    repaintNow();
}

void TForm2::close() {
    hide();
}

void TForm2::repaintNow() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_sinceRepaint.start();
}

void TForm2::closeEvent(QCloseEvent* event) {
    // Only the command that showed the window closes it.
    if (event->spontaneous()) {
        event->ignore();
    }
}

}  // namespace app
