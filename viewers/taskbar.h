#pragma once
// The taskbar window, found by its class name "Shell_TrayWnd".

// Shows (SW_SHOW) or hides (SW_HIDE) it; nothing when there is none.
void ShowTaskbar(bool show);
