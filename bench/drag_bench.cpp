// Benchmark: dragging a picture larger than the screen in one direction in
// the full-screen viewer, with real pointer moves through the X server: the
// time from a move to the repainted screen with the picture moved along,
// against one screen-sized BitBlt
// from a DIB section onto the same window in the same process, each until
// the X server reports the drawing; moves and blits alternate.
// usage: drag_bench.exe.so FOLDER MOVES PICTURE...
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/harness/clock.h"
#include "bench/harness/driven.h"
#include "bench/harness/main_window.h"
#include "bench/harness/pairs.h"
#include "bench/harness/x_screen.h"
#include "ui/gdi.h"
#include "viewers/image_form2.h"

namespace {
using bench::Driven;
using bench::XScreen;

// Smaller than the least a move repaints (1000 x 768) and than the blit,
// larger than the pointer.
const long kRepaintPixels = 200000;
const double kTimeout = 5;

// The reference: the window's own pixels copied into a screen-sized DIB
// section of the pictures' depth (untimed), and blitted back in one BitBlt.
class ScreenBlit {
public:
    explicit ScreenBlit(HWND window)
        : window_(window), width_(GetSystemMetrics(SM_CXSCREEN)), height_(GetSystemMetrics(SM_CYSCREEN)) {
        BITMAPINFO info{};
        info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width_, -height_, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        section_ = Bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!section_) throw std::runtime_error("no DIB section");
    }
    void Snapshot() { Copy(false); }
    void Blit() { Copy(true); }

private:
    void Copy(bool toWindow) {
        WindowDC window(window_);
        MemoryDC memory(window.get());
        SelectGuard select(memory.get(), section_.get());
        if (toWindow)
            BitBlt(window.get(), 0, 0, width_, height_, memory.get(), 0, 0, SRCCOPY);
        else
            BitBlt(memory.get(), 0, 0, width_, height_, window.get(), 0, 0, SRCCOPY);
    }

    HWND window_;
    int width_, height_;
    Bitmap section_;
};

// Pointer positions along one axis: a triangle of 8-pixel steps around the middle.
class Sweep {
public:
    explicit Sweep(int middle) : middle_(middle) {}
    int Next() {
        if (offset_ + step_ > 160 || offset_ + step_ < -160) step_ = -step_;
        offset_ += step_;
        return middle_ + offset_;
    }

private:
    int middle_;
    int offset_ = 0;
    int step_ = 8;
};

HWND ViewerWindow(Driven& d) {
    HWND window = nullptr;
    d.Ui([&] { window = ImageForm2->Handle(); });
    return window;
}

std::vector<bench::Pair> Drag(Driven& d, XScreen& x, int moves) {
    const int cx = GetSystemMetrics(SM_CXSCREEN) / 2, cy = GetSystemMetrics(SM_CYSCREEN) / 2;
    bool wide = false;
    d.Ui([&] { wide = ImageForm2->Image->Picture().Width() > GetSystemMetrics(SM_CXSCREEN); });
    x.MoveTo(cx, cy);
    x.Press(1);
    if (!d.UiWait([] { return ImageForm2->DragActive; }, kTimeout))
        throw std::runtime_error("the press did not start a drag");
    std::unique_ptr<ScreenBlit> blit;
    const HWND viewer = ViewerWindow(d);
    d.Ui([&] { blit = std::make_unique<ScreenBlit>(viewer); });
    Sweep sweep(wide ? cx : cy);
    // The picture's offset from the pointer along the drag, which a move keeps.
    const auto offset = [&](int pointer) {
        int at = 0;
        d.Ui([&] { at = (wide ? ImageForm2->Image->Left() : ImageForm2->Image->Top()) - pointer; });
        return at;
    };
    const int held = offset(wide ? cx : cy);
    // Until a redrawing of the screen after which `done` holds.
    auto until_drawn = [&](double t0, const std::function<bool()>& done) {
        for (;;) {
            const double t1 = x.WaitDrawn(kRepaintPixels, t0 + kTimeout - bench::Now());
            if (t1 < 0) throw std::runtime_error("the screen was not redrawn as expected");
            if (done()) return t1 - t0;
        }
    };
    const auto pairs = bench::Alternate(
        moves,
        [&] {
            const int at = sweep.Next();
            x.Forget();
            const double t0 = bench::Now();
            x.MoveTo(wide ? at : cx, wide ? cy : at);
            return until_drawn(t0, [&] { return offset(at) == held; });
        },
        [&] {
            d.Ui([&] { blit->Snapshot(); });
            x.Forget();
            const double t0 = bench::Now();
            d.Ui([&] { blit->Blit(); });
            return until_drawn(t0, [] { return true; });
        });
    x.Release(1);
    d.Ui([&] { blit.reset(); });
    return pairs;
}

std::string Stem(const std::string& name) { return name.substr(0, name.find('.')); }
}  // namespace

int main(int argc, char** argv) {
    const auto args = bench::Arguments(argc, argv, 3, "drag_bench FOLDER MOVES PICTURE...");
    if (!args) return 2;
    const int moves = std::max(1, std::atoi((*args)[1].c_str()));
    const std::vector<std::string> pictures(args->begin() + 2, args->end());
    return bench::RunDriven([&](Driven& d) {
        XScreen x;
        bench::EnterFolder(d, (*args)[0]);
        bench::SetFullScreen(d, true);
        for (const std::string& name : pictures) {
            bench::OpenViewer(d, x, name, *ImageForm2->Image);
            bench::Emit("drag-" + Stem(name), Drag(d, x, moves));
            bench::CloseViewer(d, x, *ImageForm2);
        }
        return 0;
    });
}
