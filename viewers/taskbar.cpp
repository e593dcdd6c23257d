#include "viewers/taskbar.h"

#include <windows.h>

void ShowTaskbar(bool show) {
    if (HWND bar = FindWindowA("Shell_TrayWnd", nullptr)) ShowWindow(bar, show ? SW_SHOW : SW_HIDE);
}
