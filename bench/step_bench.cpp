// Benchmark: stepping with the Down key (real key presses through the X
// server) through a folder of large JPEGs, each step until the preview pane
// has painted the next picture (bench::Previewed), alternating with djpeg
// decoding that same file. First down the folder with a pause of 1 s after
// each paint before the next press (the reference runs within the pause),
// with the process's peak memory over those steps against one decoded
// bitmap; then from the top again without a pause.
// The memory is measured from after a small JPEG was shown in the pane, so
// that it holds what stepping holds, not what the first picture of the
// process brings in (code, the pool's thread).
// usage: step_bench.exe.so FOLDER LINUX_FOLDER SMALL_JPEG
#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/okno.h"
#include "bench/harness/clock.h"
#include "bench/harness/driven.h"
#include "bench/harness/main_window.h"
#include "bench/harness/memory.h"
#include "bench/harness/pairs.h"
#include "bench/harness/paint_watch.h"
#include "bench/harness/program.h"
#include "bench/harness/x_screen.h"
#include "platform/text.h"

namespace {
using bench::Driven;
using bench::XScreen;

constexpr double kPause = 1.0;

std::vector<std::string> Rows(Driven& d) {
    std::vector<std::string> rows;
    d.Ui([&] {
        for (int row = 0; row < Okno->files->Count(); ++row) rows.push_back(Narrow1250(Okno->files->Item(row)));
    });
    return rows;
}

// Steps from the first row to the last, `pause` seconds after each paint.
std::vector<bench::Pair> StepDown(Driven& d, XScreen& x, const std::vector<std::string>& rows,
                                  const std::string& linuxFolder, double pause) {
    // The first row in sight, to be clicked.
    d.Ui([&] { SendMessageA(Okno->files->Handle(), LB_SETTOPINDEX, 0, 0); });
    bench::Preview(d, x, rows.front());
    double painted = bench::Now();
    std::unique_ptr<bench::PaintWatch> pane;
    size_t at = 0;
    d.Ui([&] {
        pane = std::make_unique<bench::PaintWatch>(Okno->Image->Handle(), [&] { return bench::Previewed(rows[at + 1]); });
    });
    const auto step = [&] {
        while (bench::Now() < painted + pause) Sleep(1);
        pane->Arm();
        const double t0 = bench::Now();
        x.Key("Down");
        painted = pane->Wait(30);
        if (painted < 0) throw std::runtime_error("the step to " + rows[at + 1] + " did not paint it");
        ++at;
        return painted - t0;
    };
    const auto pairs =
        bench::Alternate(int(rows.size()) - 2, step, [&] { return bench::TimeDjpeg(linuxFolder + "/" + rows[at]); });
    d.Ui([&] { pane.reset(); });
    return pairs;
}

int Drive(Driven& d, const std::string& folder, const std::string& linuxFolder, const std::string& small) {
    XScreen x;
    bench::EnterFolder(d, folder);
    const std::vector<std::string> rows = Rows(d);
    if (rows.size() < 3) throw std::runtime_error("too few pictures to step through");
    bench::ShowInPane(d, small);
    const size_t before = bench::WorkingSet(false);
    bench::Emit("step-paused", StepDown(d, x, rows, linuxFolder, kPause));
    bench::Pair memory;
    memory.subject = double(bench::WorkingSet(true) - before);
    d.Ui([&] {
        const TPicture& picture = Okno->Image->Picture();
        memory.reference = double((picture.Width() * 3 + 3) / 4 * 4) * picture.Height();
    });
    bench::EmitValues("step-memory", {memory});
    bench::Emit("step", StepDown(d, x, rows, linuxFolder, 0));
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    const auto args = bench::Arguments(argc, argv, 3, "step_bench FOLDER LINUX_FOLDER SMALL_JPEG");
    if (!args) return 2;
    return bench::RunDriven([&](Driven& d) { return Drive(d, (*args)[0], (*args)[1], (*args)[2]); });
}
