#pragma once

// Timing shared by the bench programs: wall and processor time of one
// measured step, and the median of several rounds.

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

namespace bench {

struct Timing {
    double wallMs;
    double cpuMs;
};

// Starts at construction; elapsed() reads both clocks since then.
class Stopwatch {
public:
    Timing elapsed() const {
        return {std::chrono::duration<double, std::milli>(Clock::now() - m_wallStart).count(),
                1000.0 * static_cast<double>(std::clock() - m_cpuStart) / CLOCKS_PER_SEC};
    }

private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point m_wallStart = Clock::now();
    std::clock_t m_cpuStart = std::clock();
};

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace bench
