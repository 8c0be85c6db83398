#include "cli/TerminalProgress.h"

namespace cli {

namespace {

constexpr std::chrono::milliseconds kRedrawInterval{100};

}  // namespace

void TerminalProgress::showCounts() {
    if (!m_console.errIsTerminal) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (m_drawn && now - m_lastDraw < kRedrawInterval) {
        return;
    }
    m_lastDraw = now;
    draw();
}

void TerminalProgress::close() {
    if (m_drawn) {
        draw();
        m_console.err << '\n' << std::flush;
        m_drawn = false;
    }
}

void TerminalProgress::draw() {
    const QByteArray line =
        QStringLiteral("\r当前/总数：%1/%2").arg(m_position).arg(m_maximum).toUtf8();
    m_console.err.write(line.constData(), line.size());
    m_console.err.flush();
    m_drawn = true;
}

}  // namespace cli
