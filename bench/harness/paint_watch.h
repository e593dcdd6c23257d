#pragma once
// Tells the benchmark's thread when a window of the program has finished a
// paint that shows what the benchmark waits for: the window is subclassed,
// and at the end of each WM_PAINT the expected state is checked on the
// window's own thread; only a paint after which it holds is signalled.
#include <windows.h>

#include <atomic>
#include <functional>

#include "platform/handle.h"

namespace bench {

class PaintWatch {
public:
    // On the window's own thread. `expected` (none: any paint) runs there
    // after each paint, outside the time taken.
    PaintWatch(HWND window, std::function<bool()> expected = {});
    ~PaintWatch();
    PaintWatch(const PaintWatch&) = delete;
    PaintWatch& operator=(const PaintWatch&) = delete;

    // Forgets the paints so far.
    void Arm();
    // Waits for the end of a paint after Arm that left the expected state;
    // its time (clock.h), or -1 after `timeout` seconds.
    double Wait(double timeout);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    bool Holds() const;

    HWND window_;
    WNDPROC original_;
    KernelHandle painted_;
    std::function<bool()> expected_;
    std::atomic<bool> armed_{false};
    std::atomic<double> at_{-1};
};

}  // namespace bench
