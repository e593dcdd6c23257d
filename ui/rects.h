#pragma once
// A window's rectangles as values, so that a call reads as one expression.
#include <windows.h>

inline RECT ClientRect(HWND wnd) {
    RECT r{};
    GetClientRect(wnd, &r);
    return r;
}

inline RECT WindowRect(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return r;
}
