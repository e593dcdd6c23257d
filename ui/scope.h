#pragma once
// Scope guards: what a scope changes is put back when it ends, also when an
// error leaves it.
#include <windows.h>

#include <utility>
#include <vector>

#include "ui/control.h"

// Gives a variable a value for a scope and puts the old one back.
template <class T>
class ValueRestorer {
public:
    ValueRestorer(T& target, T value) : target_(target), old_(std::exchange(target, std::move(value))) {}
    ~ValueRestorer() { target_ = std::move(old_); }
    ValueRestorer(const ValueRestorer&) = delete;
    ValueRestorer& operator=(const ValueRestorer&) = delete;

private:
    T& target_;
    T old_;
};

// Runs a call when the scope ends.
template <class F>
class ScopeExit {
public:
    explicit ScopeExit(F call) : call_(std::move(call)) {}
    ~ScopeExit() { call_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    F call_;
};

// Puts back a DC's whole state: selected objects, colours, modes, clipping,
// transform and the states a metafile may save.
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

// Suspends a window's repainting (WM_SETREDRAW); the window is repainted once
// at the end.
class RedrawGuard {
public:
    explicit RedrawGuard(HWND wnd) : wnd_(wnd) {
        if (wnd_) SendMessageA(wnd_, WM_SETREDRAW, FALSE, 0);
    }
    ~RedrawGuard() {
        if (!wnd_) return;
        // Drawing on again may show or hide the scroll bar: the system list
        // paints it at once, and again when it learns its new size. Marked
        // hidden meanwhile, it only takes the change and paints it once, later.
        const bool shown = GetWindowLongPtrW(wnd_, GWL_STYLE) & WS_VISIBLE;
        if (shown) DefWindowProcW(wnd_, WM_SETREDRAW, FALSE, 0);
        SendMessageA(wnd_, WM_SETREDRAW, TRUE, 0);
        if (shown) DefWindowProcW(wnd_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(wnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
    RedrawGuard(const RedrawGuard&) = delete;
    RedrawGuard& operator=(const RedrawGuard&) = delete;

private:
    HWND wnd_;
};

// The application-wide pointer for a scope, and `after` once it ends (by
// default the pointer it found).
class PointerScope {
public:
    explicit PointerScope(TCursor during);
    PointerScope(TCursor during, TCursor after);
    ~PointerScope();
    PointerScope(const PointerScope&) = delete;
    PointerScope& operator=(const PointerScope&) = delete;

private:
    TCursor after_;
};

// A modal window or box for a scope: every other enabled, visible window of
// the program is disabled and the pointer is the default one. When it ends,
// those windows are enabled again, the window that was active is active
// again and the pointer is put back.
class ModalScope {
public:
    // `keep` stays enabled (the modal window itself; null for none).
    explicit ModalScope(HWND keep);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    PointerScope pointer_;
    HWND active_;
    std::vector<HWND> disabled_;
};
