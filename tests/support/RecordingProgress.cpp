#include "tests/support/RecordingProgress.h"

namespace testsupport {

void RecordingProgress::showCounts() {
    m_counts = QStringLiteral("当前/总数：%1/%2").arg(m_position).arg(m_maximum);
}

void RecordingProgress::show() {
    m_visible = true;
    m_events << QStringLiteral("show");
}

void RecordingProgress::close() {
    m_visible = false;
    m_events << QStringLiteral("close");
}

}  // namespace testsupport
