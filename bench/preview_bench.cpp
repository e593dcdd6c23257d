// Benchmark: previewing a large JPEG in the automatic mode, from the click
// on its row in the file list until the pane has painted, in the real main
// window. Prints the median time, and the process's peak memory during the
// first preview against the size of the decoded bitmap.
// usage: preview_bench.exe.so FOLDER BIG.jpg SMALL.bmp [RUNS]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/okno.h"
#include "app/startup.h"
#include "picture/jpeg_image.h"
#include "ui/application.h"

#include "bench/timing.h"

namespace {
using bench::Median;
using bench::Now;

PROCESS_MEMORY_COUNTERS Memory() {
    PROCESS_MEMORY_COUNTERS m{};
    m.cb = sizeof m;
    GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m);
    return m;
}

// Mouse press and release on the middle of the row, as the system delivers them.
void ClickRow(TFileListBox& files, const std::string& name) {
    for (int row = 0; row < files.Count(); ++row) {
        if (files.Item(row) != name) continue;
        RECT r = files.ItemRect(row);
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageA(files.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(files.Handle(), WM_LBUTTONUP, 0, at);
        return;
    }
    throw std::runtime_error("no row for " + name);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

struct Options {
    std::string folder, big, small;
    int runs = 7;
};

// One timed preview of the big picture; false when it was not decoded and drawn.
bool TimedPreview(const Options& o, double& seconds) {
    ClickRow(*Okno->files, o.small);
    Pump();
    const double t0 = Now();
    ClickRow(*Okno->files, o.big);
    UpdateWindow(Okno->Handle());
    GdiFlush();
    seconds = Now() - t0;
    Pump();
    auto* jpeg = dynamic_cast<TJPEGImage*>(Okno->Image->Picture().Graphic());
    return jpeg && jpeg->DecodedBitmap() && !jpeg->DecodedBitmap()->IsEmpty();
}

int Run(const Options& o) {
    Okno->Dir->SetDirectory(o.folder);
    Pump();
    const PROCESS_MEMORY_COUNTERS before = Memory();
    std::vector<double> times;
    double bitmapBytes = 0;
    for (int run = 0; run < o.runs; ++run) {
        double t = 0;
        if (!TimedPreview(o, t)) {
            std::printf("the preview did not decode %s\n", o.big.c_str());
            return 1;
        }
        times.push_back(t);
        if (run == 0) {
            const PROCESS_MEMORY_COUNTERS after = Memory();
            const TPicture& p = Okno->Image->Picture();
            bitmapBytes = double((p.Width() * 3 + 3) / 4 * 4) * p.Height();
            const double peak = double(after.PeakWorkingSetSize) - double(before.WorkingSetSize);
            std::printf("peak memory of the first preview: %.1f MB over %.1f MB before; decoded bitmap %.1f MB; "
                        "ratio %.2f (target at most 1.5)\n",
                        peak / 1048576, double(before.WorkingSetSize) / 1048576, bitmapBytes / 1048576,
                        peak / bitmapBytes);
        }
    }
    std::printf("preview %dx%d until painted: %.1f ms (median of %d)\n", Okno->Image->Picture().Width(),
                Okno->Image->Picture().Height(), Median(times) * 1000, o.runs);
    std::printf("PREVIEW_MS %.1f\n", Median(times) * 1000);
    std::fflush(stdout);
    return 0;
}

void WriteExitCode(int code) {
    if (const char* path = std::getenv("LUMENO_EXIT_FILE"))
        if (FILE* f = std::fopen(path, "w")) {
            std::fprintf(f, "%d\n", code);
            std::fclose(f);
        }
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::printf("usage: preview_bench FOLDER BIG.jpg SMALL.bmp [RUNS]\n");
        return 2;
    }
    Options o;
    o.folder = argv[1];
    o.big = argv[2];
    o.small = argv[3];
    if (argc > 4) o.runs = std::max(1, std::atoi(argv[4]));
    int code = 1;
    RunLumeno(SW_SHOWNORMAL, [&] {
        try {
            code = Run(o);
        } catch (const std::exception& e) {
            std::printf("benchmark failed: %s\n", e.what());
        }
        Application->Terminate();
    });
    WriteExitCode(code);
    return code;
}
