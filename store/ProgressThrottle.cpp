#include "store/ProgressThrottle.h"

namespace store {

ProgressThrottle::ProgressThrottle(std::chrono::milliseconds interval, Now now)
    : m_interval(interval), m_now(std::move(now)) {}

bool ProgressThrottle::due() {
    const Clock::time_point now = m_now();
    if (m_started && now - m_last < m_interval) {
        return false;
    }
    m_started = true;
    m_last = now;
    return true;
}

void ProgressThrottle::restart() {
    m_started = true;
    m_last = m_now();
}

}  // namespace store
