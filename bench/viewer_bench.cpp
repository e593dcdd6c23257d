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
#include <string>

#include "bench/harness/driven.h"
#include "bench/harness/main_window.h"
#include "bench/harness/pairs.h"
#include "bench/harness/program.h"
#include "bench/harness/x_screen.h"
#include "viewers/image_form.h"
#include "viewers/image_form2.h"

namespace {
using bench::Driven;
using bench::XScreen;

struct Viewer {
    const char* id;
    bool fullScreen;
};

TForm& ViewerForm(bool fullScreen) { return fullScreen ? static_cast<TForm&>(*ImageForm2) : *ImageForm; }
TImage& ViewerImage(bool fullScreen) { return fullScreen ? *ImageForm2->Image : *ImageForm->Image; }

// One double-click until the viewer has painted, timed from the second
// press; then the viewer is closed with Enter.
double OpenOnce(Driven& d, XScreen& x, const Viewer& v, const std::string& name) {
    const double time = bench::OpenViewer(d, x, name, ViewerImage(v.fullScreen));
    bench::CloseViewer(d, x, ViewerForm(v.fullScreen));
    return time;
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
