#pragma once
// The taskbar window, found by its class name "Shell_TrayWnd".

// Shows it without activating it (SW_SHOWNA) or hides it (SW_HIDE); nothing
// when there is none.
void ShowTaskbar(bool show);
