#include "viewers/taskbar.h"

#include <windows.h>

void ShowTaskbar(bool show) {
    HWND bar = FindWindowA("Shell_TrayWnd", nullptr);
    if (!bar) return;
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
