#include "bench/harness/paint_watch.h"

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include "bench/harness/clock.h"

namespace bench {

namespace {
// Only the program's thread reaches these: watches are made and dropped there.
std::vector<PaintWatch*>& Watches() {
    static std::vector<PaintWatch*> watches;
    return watches;
}
}  // namespace

PaintWatch::PaintWatch(HWND window, std::function<bool()> expected)
    : window_(window), painted_(CreateEventA(nullptr, FALSE, FALSE, nullptr)), expected_(std::move(expected)) {
    if (!window || !painted_) throw std::runtime_error("nothing to watch");
    Watches().push_back(this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PaintWatch::Procedure)));
}

PaintWatch::~PaintWatch() {
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    auto& watches = Watches();
    watches.erase(std::remove(watches.begin(), watches.end(), this), watches.end());
}

void PaintWatch::Arm() {
    at_ = -1;
    ResetEvent(painted_.get());
    armed_ = true;
}

double PaintWatch::Wait(double timeout) {
    if (WaitForSingleObject(painted_.get(), DWORD(timeout * 1000)) != WAIT_OBJECT_0) return -1;
    return at_;
}

bool PaintWatch::Holds() const {
    if (!expected_) return true;
    // An error here must not cross the window procedure: the state did not hold.
    try {
        return expected_();
    } catch (...) {
        return false;
    }
}

LRESULT CALLBACK PaintWatch::Procedure(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    for (PaintWatch* w : Watches()) {
        if (w->window_ != window) continue;
        const LRESULT result = CallWindowProcA(w->original_, window, msg, wp, lp);
        if (msg == WM_PAINT && w->armed_) {
            const double at = Now();
            if (w->Holds()) {
                w->armed_ = false;
                w->at_ = at;
                SetEvent(w->painted_.get());
            }
        }
        return result;
    }
    return DefWindowProcA(window, msg, wp, lp);
}

}  // namespace bench
