#pragma once

#include <chrono>
#include <functional>
#include <utility>

namespace store {

// Paces how often a progress display redraws: a long command reports every
// record, and drawing the counts each time would cost more than the record.
class ProgressThrottle {
public:
    using Clock = std::chrono::steady_clock;
    using Now = std::function<Clock::time_point()>;

    explicit ProgressThrottle(std::chrono::milliseconds interval, Now now = &Clock::now);

    // True the first time after reset() and whenever the interval has passed
    // since the last true; each true starts the interval again.
    bool due();
    // The display was drawn for another reason: the interval starts again.
    void restart();
    // The next due() is true.
    void reset() { m_started = false; }
    // Replaces the clock; tests step one of their own.
    void setClock(Now now) { m_now = std::move(now); }

private:
    std::chrono::milliseconds m_interval;
    Now m_now;
    bool m_started = false;
    Clock::time_point m_last;
};

}  // namespace store
