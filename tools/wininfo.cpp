// Prints where a top-level window of the desktop is, for the end-to-end
// scripts (Wine's virtual desktop hides its windows from X).
// usage: wininfo TITLE       -> "visible left top right bottom clientX clientY" or exit 1
//        wininfo -c CLASS    -> the same for a window class
#include <windows.h>

#include <cstdio>

#include "wide_args.h"
#include "ui/rects.h"

int main() {
    const std::vector<std::u16string> args = WideArguments();
    if (args.empty()) return 2;
    HWND wnd = (args.size() == 2 && args[0] == u"-c") ? FindWindowW(WidePtr(args[1]), nullptr)
                                                      : FindWindowW(nullptr, WidePtr(args[0]));
    if (!wnd) return 1;
    RECT r = WindowRect(wnd);
    POINT origin{0, 0};
    ClientToScreen(wnd, &origin);
    // LONG is int under Winelib and long on Windows: print ints either way.
    std::printf("%d %d %d %d %d %d %d\n", IsWindowVisible(wnd) ? 1 : 0, int(r.left), int(r.top), int(r.right),
                int(r.bottom), int(origin.x), int(origin.y));
    std::fflush(stdout);
    return 0;
}
