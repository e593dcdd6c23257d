#pragma once
// Shared pieces of the owner-drawn list and combo boxes: the row background,
// a glyph centred on its row, and guards for the DC state and repainting.
#include <windows.h>

// Fills the row with the window colour, or the highlight colour when it is
// selected, and sets the DC's text colour to match.
void FillItemBackground(HDC dc, const RECT& row, bool selected);

// Draws a glyph at x, vertically centred on the row; returns its width (0
// when there is no glyph).
int DrawItemGlyph(HDC dc, HBITMAP glyph, int x, const RECT& row);

// Puts back the DC's colours, modes and selections when it goes.
class DCStateGuard {
public:
    explicit DCStateGuard(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~DCStateGuard() {
        if (saved_) RestoreDC(dc_, saved_);
    }
    DCStateGuard(const DCStateGuard&) = delete;
    DCStateGuard& operator=(const DCStateGuard&) = delete;

private:
    HDC dc_;
    int saved_;
};

// Suspends a window's repainting (WM_SETREDRAW) while it lives; the window is
// repainted once at the end.
class RedrawGuard {
public:
    explicit RedrawGuard(HWND wnd) : wnd_(wnd) {
        if (wnd_) SendMessageA(wnd_, WM_SETREDRAW, FALSE, 0);
    }
    ~RedrawGuard() {
        if (!wnd_) return;
        SendMessageA(wnd_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(wnd_, nullptr, TRUE);
    }
    RedrawGuard(const RedrawGuard&) = delete;
    RedrawGuard& operator=(const RedrawGuard&) = delete;

private:
    HWND wnd_;
};
