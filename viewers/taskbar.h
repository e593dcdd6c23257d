#pragma once
// The taskbar window, found by its class name "Shell_TrayWnd".

// Shows it without activating it (SW_SHOWNA) or hides it (SW_HIDE); nothing
// when there is none. While this program is active the hide is left to the
// taskbar's own thread: it is done soon after the return, not before.
void ShowTaskbar(bool show);
