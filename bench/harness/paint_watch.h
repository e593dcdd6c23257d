#pragma once
// Tells the benchmark's thread when a window of the program has finished
// painting: the window is subclassed, and the end of each WM_PAINT is
// recorded and signalled.
#include <windows.h>

#include <atomic>

namespace bench {

class PaintWatch {
public:
    // On the window's own thread.
    explicit PaintWatch(HWND window);
    ~PaintWatch();
    PaintWatch(const PaintWatch&) = delete;
    PaintWatch& operator=(const PaintWatch&) = delete;

    // Forgets the paints so far.
    void Arm();
    // Waits for the end of a paint after Arm; its time (clock.h), or -1
    // after `timeout` seconds.
    double Wait(double timeout);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wp, LPARAM lp);

    HWND window_;
    WNDPROC original_;
    HANDLE painted_;
    std::atomic<double> at_{-1};
};

}  // namespace bench
