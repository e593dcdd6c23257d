#include "viewers/taskbar.h"

#include <windows.h>

namespace {
bool ForegroundIsOurs() {
    DWORD process = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &process);
    return process == GetCurrentProcessId();
}
}  // namespace

void ShowTaskbar(bool show) {
    HWND bar = FindWindowA("Shell_TrayWnd", nullptr);
    if (!bar) return;
    if (show) {
        // A hide sent without waiting (below) may not have been acted on
        // yet: a show queued behind it wins in the end, and the direct one
        // below shows a hidden taskbar now, while a visible one needs no
        // round trip to its thread.
        ShowWindowAsync(bar, SW_SHOWNA);
        if (IsWindowVisible(bar)) return;
    } else if (ForegroundIsOurs()) {
        // One of our windows is active, so hiding the taskbar moves no
        // activation: its own thread hides it while the viewer loads and
        // shows, instead of this one waiting for it.
        ShowWindowAsync(bar, SW_HIDE);
        return;
    }
    // Shown without taking the activation: a taskbar made active would leave
    // the program inactive after the full-screen viewer, and take the keys
    // typed meanwhile.
    ShowWindow(bar, show ? SW_SHOWNA : SW_HIDE);
    // Hiding a taskbar that has the activation (the user clicked it) hands
    // the activation to this program's main window. Word of that is sent
    // here before ShowWindow returns, but would be acted on only at the next
    // message, after the viewer shown meanwhile has taken the activation:
    // the main window would come in front of it. Act on it now.
    MSG pending;
    PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}
