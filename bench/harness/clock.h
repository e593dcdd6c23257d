#pragma once
// The benchmarks' one clock, shared by the Windows and the X side of a
// benchmark (the system's performance counter reads the same monotonic clock).
#include <chrono>

namespace bench {

// Seconds on the monotonic clock.
inline double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace bench
