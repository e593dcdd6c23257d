// Benchmark: stepping with the Down key (real key presses through the X
// server) through a folder of large JPEGs, each step until the preview pane
// has painted the next picture (bench::Previewed), alternating with djpeg
// decoding that same file.
// usage: step_bench.exe.so FOLDER LINUX_FOLDER
#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/okno.h"
#include "bench/harness/clock.h"
#include "bench/harness/driven.h"
#include "bench/harness/main_window.h"
#include "bench/harness/pairs.h"
#include "bench/harness/paint_watch.h"
#include "bench/harness/program.h"
#include "bench/harness/x_screen.h"
#include "platform/text.h"

namespace {
using bench::Driven;
using bench::XScreen;

std::vector<std::string> Rows(Driven& d) {
    std::vector<std::string> rows;
    d.Ui([&] {
        for (int row = 0; row < Okno->files->Count(); ++row) rows.push_back(Narrow1250(Okno->files->Item(row)));
    });
    return rows;
}

int Drive(Driven& d, const std::string& folder, const std::string& linuxFolder) {
    XScreen x;
    bench::EnterFolder(d, folder);
    const std::vector<std::string> rows = Rows(d);
    if (rows.size() < 3) throw std::runtime_error("too few pictures to step through");
    bench::Preview(d, x, rows.front());
    std::unique_ptr<bench::PaintWatch> pane;
    size_t at = 0;
    d.Ui([&] {
        pane = std::make_unique<bench::PaintWatch>(Okno->Image->Handle(), [&] { return bench::Previewed(rows[at + 1]); });
    });
    const auto step = [&] {
        pane->Arm();
        const double t0 = bench::Now();
        x.Key("Down");
        const double t1 = pane->Wait(30);
        if (t1 < 0) throw std::runtime_error("the step to " + rows[at + 1] + " did not paint it");
        ++at;
        return t1 - t0;
    };
    const auto pairs =
        bench::Alternate(int(rows.size()) - 2, step, [&] { return bench::TimeDjpeg(linuxFolder + "/" + rows[at]); });
    d.Ui([&] { pane.reset(); });
    bench::Emit("step", pairs);
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    const auto args = bench::Arguments(argc, argv, 2, "step_bench FOLDER LINUX_FOLDER");
    if (!args) return 2;
    return bench::RunDriven([&](Driven& d) { return Drive(d, (*args)[0], (*args)[1]); });
}
