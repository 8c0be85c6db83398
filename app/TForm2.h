#pragma once

#include <QTimer>
#include <QWidget>

#include "store/Progress.h"
#include "store/ProgressThrottle.h"

class QLabel;
class QProgressBar;

namespace app {

// The progress window of the long commands. One instance for the run,
// created on first use; the user cannot close it, closing only hides it.
// It belongs to the main window, so the window manager keeps it above that
// window while a command runs, whatever the user clicks.
class TForm2 : public QWidget, public store::Progress {
    Q_OBJECT

public:
    // The progress window, created on first use.
    static TForm2& get();
    // The window that the progress window belongs to from now on.
    static void setMainWindow(QWidget* mainWindow);

    void setPosition(int position) override;
    void setMaximum(int maximum) override;
    int position() const override;
    int maximum() const override;
    void showCounts() override;
    void show() override;
    void close() override;

    QString countsText() const;
    // The clock that paces the redraws; tests step one of their own.
    void setClock(store::ProgressThrottle::Now now);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TForm2();
    // Brings the bar and the text line up to the position and maximum, and
    // lets the window repaint while the command keeps the thread busy; user
    // input waits until the command ends.
    void redraw();
    // Brings the bar, and the text line if counts wait, up to date without
    // running the event loop.
    void redrawPutOff();
    void putOffRedraw();
    void updateBar();
    void updateCounts();

    QProgressBar* m_bar;
    QLabel* m_counts;
    int m_position = 0;
    int m_maximum = 100;
    // The maximum that the text line shows; none before the first counts.
    int m_shownMaximum = -1;
    bool m_countsPutOff = false;
    store::ProgressThrottle m_redraws;
    // Runs a put-off redraw as soon as the event loop runs, for example
    // under the message box that ends a command.
    QTimer m_putOffRedraw;
};

}  // namespace app
