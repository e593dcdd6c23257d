// Benchmark: previewing a large picture in the automatic mode, from a real
// click on its row until the pane has painted, alternating with a reference
// run: djpeg decoding the same file for a JPEG, one read of the whole file
// into memory for a BMP. Each timed preview follows one of a small picture,
// so that every click loads the large one afresh. Also the process's peak
// memory during the first JPEG preview against the decoded bitmap.
// usage: preview_bench.exe.so FOLDER LINUX_FOLDER RUNS BIG.jpg BIG.bmp SMALL.bmp
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
#include "bench/harness/memory.h"
#include "bench/harness/pairs.h"
#include "bench/harness/program.h"
#include "bench/harness/x_screen.h"
#include "ui/gdi.h"
#include "platform/handle.h"
#include "platform/text.h"

namespace {
using bench::Driven;
using bench::XScreen;

struct Options {
    std::string folder, linuxFolder, jpeg, bmp, small;
    int runs = 9;
};

// The click on the large picture's row until the pane has painted.
double TimedPreview(Driven& d, XScreen& x, const Options& o, const std::string& name) {
    bench::Preview(d, x, o.small);
    return bench::Preview(d, x, name);
}

// The reference for a BMP: open, one read into fresh memory, close.
double ReadWhole(const std::string& path) {
    const std::u16string wide = Wide(path);
    const double t0 = bench::Now();
    FileHandle file(CreateFileW(WidePtr(wide), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) throw std::runtime_error("cannot open " + path);
    const DWORD size = GetFileSize(file.get(), nullptr);
    std::unique_ptr<char[]> bytes(new char[size]);
    DWORD read = 0;
    const bool ok = ReadFile(file.get(), bytes.get(), size, &read, nullptr) && read == size;
    if (!ok) throw std::runtime_error("cannot read " + path);
    return bench::Now() - t0;
}

// The first preview of the large JPEG in this process: how far the working
// set rose above where it was, against the decoded bitmap's bytes.
bench::Pair PeakMemory(Driven& d, XScreen& x, const Options& o) {
    bench::Preview(d, x, o.small);
    const size_t before = bench::WorkingSet(false);
    bench::Preview(d, x, o.jpeg);
    bench::Pair p;
    p.subject = double(bench::WorkingSet(true) - before);
    d.Ui([&] {
        const TPicture& picture = Okno->Image->Picture();
        p.reference = double((picture.Width() * 3 + 3) / 4 * 4) * picture.Height();
    });
    bench::Note("working set before the first preview %.1f MB", double(before) / 1048576);
    return p;
}

int Drive(Driven& d, const Options& o) {
    XScreen x;
    bench::EnterFolder(d, o.folder);
    bench::EmitValues("preview-memory", {PeakMemory(d, x, o)});
    bench::Emit("preview-jpeg",
                bench::Alternate(
                    o.runs, [&] { return TimedPreview(d, x, o, o.jpeg); },
                    [&] { return bench::TimeDjpeg(o.linuxFolder + "/" + o.jpeg); }));
    bench::Emit("preview-bmp", bench::Alternate(
                                   o.runs, [&] { return TimedPreview(d, x, o, o.bmp); },
                                   [&] { return ReadWhole(o.folder + "\\" + o.bmp); }));
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    const auto args =
        bench::Arguments(argc, argv, 6, "preview_bench FOLDER LINUX_FOLDER RUNS BIG.jpg BIG.bmp SMALL.bmp");
    if (!args) return 2;
    Options o;
    o.folder = (*args)[0];
    o.linuxFolder = (*args)[1];
    o.runs = std::max(1, std::atoi((*args)[2].c_str()));
    o.jpeg = (*args)[3];
    o.bmp = (*args)[4];
    o.small = (*args)[5];
    return bench::RunDriven([&](Driven& d) { return Drive(d, o); });
}
