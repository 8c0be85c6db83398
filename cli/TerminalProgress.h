#pragma once

#include "cli/CliCommand.h"
#include "store/Progress.h"
#include "store/ProgressThrottle.h"

namespace cli {

// The progress window of the command line: "当前/总数：" counts on standard
// error, redrawn in place at most ten times a second, and only when standard
// error is a terminal.
class TerminalProgress : public store::Progress {
public:
    explicit TerminalProgress(Console& console) : m_console(console) {}

    void setPosition(int position) override { m_position = position; }
    void setMaximum(int maximum) override { m_maximum = maximum; }
    int position() const override { return m_position; }
    int maximum() const override { return m_maximum; }
    void showCounts() override;
    void show() override {}
    // Ends the counts line with the last counts.
    void close() override;

private:
    void draw();

    Console& m_console;
    int m_position = 0;
    int m_maximum = 100;
    bool m_drawn = false;
    store::ProgressThrottle m_redraw{std::chrono::milliseconds(100)};
};

}  // namespace cli
