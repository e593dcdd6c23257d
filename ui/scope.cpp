#include "ui/scope.h"

#include "ui/application.h"

namespace {
BOOL CALLBACK CollectWindow(HWND wnd, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(wnd);
    return TRUE;
}

// Every enabled, visible top-level window of the program but `keep`, now disabled.
std::vector<HWND> DisableOthers(HWND keep) {
    std::vector<HWND> all, disabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&all));
    for (HWND wnd : all)
        if (wnd != keep && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
            EnableWindow(wnd, FALSE);
            disabled.push_back(wnd);
        }
    return disabled;
}
}  // namespace

PointerScope::PointerScope(TCursor during) : PointerScope(during, Application->Cursor()) {}

PointerScope::PointerScope(TCursor during, TCursor after) : after_(after) { Application->SetCursor(during); }

PointerScope::~PointerScope() { Application->SetCursor(after_); }

ModalScope::ModalScope(HWND keep)
    : pointer_(TCursor::crDefault), active_(GetActiveWindow()), disabled_(DisableOthers(keep)) {}

ModalScope::~ModalScope() {
    for (HWND wnd : disabled_)
        if (IsWindow(wnd)) EnableWindow(wnd, TRUE);
    if (active_ && IsWindow(active_)) SetActiveWindow(active_);
}
