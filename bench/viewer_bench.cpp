// Benchmark: a double-click on a large JPEG's row until the windowed viewer,
// and then the full-screen viewer, has painted it, with real clicks through
// the X server, against djpeg decoding the same file; the two alternate run
// by run. The row is previewed before each double-click (its first click
// previews it again), so the time runs from the second press: the viewer's
// own decode and paint, until it shows the picture's pixels.
// usage: viewer_bench.exe.so FOLDER LINUX_FOLDER RUNS PICTURE
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/okno.h"
#include "bench/harness/clock.h"
#include "bench/harness/driven.h"
#include "bench/harness/main_window.h"
#include "bench/harness/pairs.h"
#include "bench/harness/paint_watch.h"
#include "bench/harness/program.h"
#include "bench/harness/shows_picture.h"
#include "bench/harness/x_screen.h"
#include "viewers/image_form.h"
#include "viewers/image_form2.h"

namespace {
using bench::Driven;
using bench::ShowsPicture;
using bench::XScreen;

const double kTimeout = 30;

struct Viewer {
    const char* id;
    bool fullScreen;
};

HWND ViewerForm(bool fullScreen) { return fullScreen ? ImageForm2->Handle() : ImageForm->Handle(); }
TImage& ViewerImage(bool fullScreen) { return fullScreen ? *ImageForm2->Image : *ImageForm->Image; }

// The viewer shows the previewed picture, freshly loaded and decoded.
bool Viewed(bool fullScreen) {
    const TPicture &shown = ViewerImage(fullScreen).Picture(), &previewed = Okno->Image->Picture();
    return shown.Width() == previewed.Width() && shown.Height() == previewed.Height() &&
           ShowsPicture(ViewerImage(fullScreen));
}

// One double-click until the viewer has painted, timed from the second
// press; then the viewer is closed with Enter.
double OpenOnce(Driven& d, XScreen& x, const Viewer& v, const std::string& name) {
    std::unique_ptr<bench::PaintWatch> pane, viewer;
    d.Ui([&] {
        pane = std::make_unique<bench::PaintWatch>(Okno->Image->Handle(), [&] { return bench::Previewed(name); });
        viewer = std::make_unique<bench::PaintWatch>(ViewerImage(v.fullScreen).Handle(),
                                                     [&] { return Viewed(v.fullScreen); });
    });
    const POINT row = bench::FileRow(d, name);
    pane->Arm();
    viewer->Arm();
    double t0 = 0;
    x.DoubleClick(row.x, row.y, [&] {
        if (pane->Wait(kTimeout) < 0) throw std::runtime_error("the first click did not preview " + name);
        t0 = bench::Now();
    });
    const double t1 = viewer->Wait(kTimeout);
    d.Ui([&] {
        pane.reset();
        viewer.reset();
    });
    if (t1 < 0) throw std::runtime_error(std::string("the viewer did not paint ") + name);
    x.Key("Return");
    if (!d.UiWait([&] { return !IsWindowVisible(ViewerForm(v.fullScreen)); }, kTimeout))
        throw std::runtime_error("the viewer did not close");
    return t1 - t0;
}
}  // namespace

int main(int argc, char** argv) {
    const auto args = bench::Arguments(argc, argv, 4, "viewer_bench FOLDER LINUX_FOLDER RUNS PICTURE");
    if (!args) return 2;
    const std::string folder = (*args)[0], linuxFolder = (*args)[1], name = (*args)[3];
    const int runs = std::max(1, std::atoi((*args)[2].c_str()));
    return bench::RunDriven([&](Driven& d) {
        XScreen x;
        bench::EnterFolder(d, folder);
        bench::Preview(d, x, name);
        for (const Viewer& v : {Viewer{"viewer-window", false}, Viewer{"viewer-full-screen", true}}) {
            bench::SetFullScreen(d, v.fullScreen);
            bench::Emit(v.id, bench::Alternate(
                                  runs, [&] { return OpenOnce(d, x, v, name); },
                                  [&] { return bench::TimeDjpeg(linuxFolder + "/" + name); }));
        }
        return 0;
    });
}
