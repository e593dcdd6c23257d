#include "bench/harness/driven.h"

#include <cstdio>
#include <exception>
#include <stdexcept>

#include "app/startup.h"
#include "bench/harness/started.h"
#include "ui/application.h"
#include "platform/handle.h"

namespace bench {

namespace {
const UINT kRun = WM_APP + 1;

struct Work {
    const std::function<void()>* work;
    std::exception_ptr error;
};

LRESULT CALLBACK MessengerProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != kRun) return DefWindowProcA(window, msg, wp, lp);
    auto* w = reinterpret_cast<Work*>(lp);
    try {
        (*w->work)();
    } catch (...) {
        w->error = std::current_exception();
    }
    return 0;
}

HWND MakeMessenger() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = MessengerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "LumenoBenchMessenger";
    RegisterClassA(&wc);
    return CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

struct Run {
    const std::function<int(Driven&)>* driver;
    Driven driven;
    int code = 1;
};

DWORD WINAPI DriverThread(void* param) {
    auto* run = static_cast<Run*>(param);
    try {
        // Past the start-up's own work, which ends with the windows made
        // after the main one painted.
        run->driven.Ui([] {});
        run->code = (*run->driver)(run->driven);
    } catch (const std::exception& e) {
        std::printf("benchmark failed: %s\n", e.what());
        run->code = 1;
    }
    std::fflush(stdout);
    try {
        run->driven.Ui([] { Application->Terminate(); });
    } catch (...) {
    }
    return 0;
}
}  // namespace

void Driven::Ui(const std::function<void()>& work) {
    Work w{&work, nullptr};
    SendMessageA(messenger, kRun, 0, reinterpret_cast<LPARAM>(&w));
    if (w.error) std::rethrow_exception(w.error);
}

bool Driven::UiWait(const std::function<bool()>& done, double timeout) {
    const DWORD end = GetTickCount() + DWORD(timeout * 1000);
    for (;;) {
        bool held = false;
        Ui([&] { held = done(); });
        if (held) return true;
        if (int(GetTickCount() - end) >= 0) return false;
        Sleep(5);
    }
}

std::optional<std::vector<std::string>> Arguments(int argc, char** argv, int least, const char* usage) {
    if (argc - 1 < least) {
        std::printf("usage: %s\n", usage);
        return std::nullopt;
    }
    return std::vector<std::string>(argv + 1, argv + argc);
}

int RunDriven(const std::function<int(Driven&)>& driver) {
    Run run;
    run.driver = &driver;
    KernelHandle thread;
    // A double-click's second press waits for the first click's effect (a
    // large picture previewed), which on a busy machine takes longer than
    // the usual double-click time: widen it for this process only.
    SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, 5000, nullptr, 0);
    RunLumeno(SW_SHOWNORMAL, [&] {
        run.driven.messenger = MakeMessenger();
        thread.reset(CreateThread(nullptr, 0, DriverThread, &run, 0, nullptr));
        if (!thread) Application->Terminate();
    });
    if (thread) WaitForSingleObject(thread.get(), INFINITE);
    return Ended(run.code);
}

}  // namespace bench
