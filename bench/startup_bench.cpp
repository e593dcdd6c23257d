// Start-up benchmark: the real start-up of the program until the main window
// and its controls have painted; it reports then (bench/harness/started.h)
// and ends. A main window hidden or not fully painted fails the run.
#include <windows.h>

#include "app/okno.h"
#include "app/startup.h"
#include "bench/harness/started.h"
#include "ui/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    int code = 1;
    RunLumeno(showCommand, [&] {
        if (bench::ReportPainted(Okno->Handle(), bench::RealTime())) code = 0;
        Application->Terminate();
    });
    return bench::Ended(code);
}
