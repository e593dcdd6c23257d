// Benchmark: opening the windowed viewer, then the full-screen viewer, on a
// large JPEG with real input through the X server, against djpeg decoding
// the same file; the two alternate run by run.
// - On the previewed picture: a double-click on the row of the picture the
//   pane shows (its first click previews it again), timed from the second
//   press until the viewer has painted it.
// - On a picture the pane does not hold: the pane shows another picture (as
//   after the open command) while the row stays selected, and Enter opens
//   the viewer, timed from the press: the viewer's own decode and paint. A
//   double-click on its picture closes it.
// usage: viewer_bench.exe.so FOLDER LINUX_FOLDER RUNS PICTURE OTHER
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/okno.h"
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

double OnPreviewed(Driven& d, XScreen& x, const Viewer& v, const std::string& name) {
    const double time = bench::OpenViewer(d, x, name, ViewerImage(v.fullScreen));
    bench::CloseViewer(d, x, ViewerForm(v.fullScreen));
    return time;
}

double OnOther(Driven& d, XScreen& x, const Viewer& v, const std::string& other, SIZE size) {
    bench::ShowInPane(d, other);
    const double time = bench::OpenViewerWithEnter(d, x, ViewerImage(v.fullScreen), size.cx, size.cy);
    bench::CloseViewerOnPicture(d, x, ViewerForm(v.fullScreen), ViewerImage(v.fullScreen));
    return time;
}
}  // namespace

int main(int argc, char** argv) {
    const auto args = bench::Arguments(argc, argv, 5, "viewer_bench FOLDER LINUX_FOLDER RUNS PICTURE OTHER");
    if (!args) return 2;
    const std::string folder = (*args)[0], linuxFolder = (*args)[1], name = (*args)[3];
    const std::string other = folder + "\\" + (*args)[4];
    const int runs = std::max(1, std::atoi((*args)[2].c_str()));
    const auto djpeg = [&] { return bench::TimeDjpeg(linuxFolder + "/" + name); };
    return bench::RunDriven([&](Driven& d) {
        XScreen x;
        bench::EnterFolder(d, folder);
        bench::Preview(d, x, name);
        SIZE size{};
        d.Ui([&] { size = SIZE{Okno->Image->Picture().Width(), Okno->Image->Picture().Height()}; });
        for (const Viewer& v : {Viewer{"viewer-window", false}, Viewer{"viewer-full-screen", true}}) {
            bench::SetFullScreen(d, v.fullScreen);
            bench::Emit(v.id, bench::Alternate(runs, [&] { return OnOther(d, x, v, other, size); }, djpeg));
            bench::Preview(d, x, name);
            bench::Emit(std::string(v.id) + "-previewed",
                        bench::Alternate(runs, [&] { return OnPreviewed(d, x, v, name); }, djpeg));
        }
        return 0;
    });
}
