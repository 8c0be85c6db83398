#include "cli/TerminalProgress.h"

namespace cli {

void TerminalProgress::showCounts() {
    if (m_console.errIsTerminal && m_redraw.due()) {
        draw();
    }
}

void TerminalProgress::close() {
    if (m_drawn) {
        draw();
        m_console.err << '\n' << std::flush;
        m_drawn = false;
    }
    m_redraw.reset();
}

void TerminalProgress::draw() {
    const QByteArray line =
        QStringLiteral("\r当前/总数：%1/%2").arg(m_position).arg(m_maximum).toUtf8();
    m_console.err.write(line.constData(), line.size());
    m_console.err.flush();
    m_drawn = true;
}

}  // namespace cli
