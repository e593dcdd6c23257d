// Start-up benchmark: the real start-up of the program until the main window
// and its controls have painted, then the program ends.
#include <windows.h>

#include "app/startup.h"
#include "ui/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    return RunLumeno(showCommand, [] { Application->Terminate(); });
}
