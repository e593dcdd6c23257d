#pragma once
// The program's start-up and run, shared by WinMain and the start-up benchmark.
#include <functional>

// Registers the picture kinds, creates the main window, shows it, creates
// the seven others in their order and runs the message loop. `shown` runs
// once the main window and its controls have painted, before the others
// exist; the first message handled after it finds them made.
int RunLumeno(int showCommand, const std::function<void()>& shown = {});
