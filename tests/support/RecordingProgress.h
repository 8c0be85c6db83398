#pragma once

#include <QString>
#include <QStringList>

#include "store/Progress.h"

namespace testsupport {

// A progress window stand-in that remembers what a command did with it.
class RecordingProgress : public store::Progress {
public:
    void setPosition(int position) override { m_position = position; }
    void setMaximum(int maximum) override { m_maximum = maximum; }
    int position() const override { return m_position; }
    int maximum() const override { return m_maximum; }
    void showCounts() override;
    void show() override;
    void close() override;

    bool visible() const { return m_visible; }
    // The last "当前/总数：" line shown.
    const QString& counts() const { return m_counts; }
    // "show" and "close" in the order they happened.
    const QStringList& events() const { return m_events; }

private:
    int m_position = 0;
    int m_maximum = 100;
    bool m_visible = false;
    QString m_counts;
    QStringList m_events;
};

}  // namespace testsupport
