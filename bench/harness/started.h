#pragma once
// How a benchmark program tells the shell that launched it how it went: the
// exit code into the file LUMENO_EXIT_FILE names (Wine's desktop does not
// pass it on), and for the start-up figure the end of the main window's
// first paint, as "painted" and the seconds of the real-time clock, which
// the shell reads too. Header only: the start-up reference links nothing
// else of the benchmarks.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace bench {

inline double RealTime() {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

// Nothing is left to paint in the window or the visible windows inside it.
inline bool Painted(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return false;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child) && !Painted(child)) return false;
    return true;
}

// Reports a first paint that ended at `at` if the window is shown and
// painted; false, reporting nothing, if not.
inline bool ReportPainted(HWND window, double at) {
    if (!IsWindowVisible(window) || !Painted(window)) return false;
    std::printf("painted %.6f\n", at);
    std::fflush(stdout);
    return true;
}

inline int Ended(int code) {
    if (const char* path = std::getenv("LUMENO_EXIT_FILE"))
        if (FILE* f = std::fopen(path, "w")) {
            std::fprintf(f, "%d\n", code);
            std::fclose(f);
        }
    return code;
}

}  // namespace bench
