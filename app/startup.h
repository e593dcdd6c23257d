#pragma once
// The program's start-up and run, shared by WinMain and the start-up benchmark.
#include <functional>

// Registers the picture kinds, creates the eight windows in their order,
// shows the main window and runs the message loop. `shown` runs once the
// main window and its controls have painted.
int RunLumeno(int showCommand, const std::function<void()>& shown = {});
