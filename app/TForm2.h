#pragma once

#include <QElapsedTimer>
#include <QWidget>

#include "store/Progress.h"

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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TForm2();
    // Lets the window repaint while the command keeps the thread busy; user
    // input waits until the command ends.
    void repaintNow();
    void updateBar();

    QProgressBar* m_bar;
    QLabel* m_counts;
    int m_position = 0;
    int m_maximum = 100;
    QElapsedTimer m_sinceRepaint;
};

}  // namespace app
