// Benchmark: entering a folder of pictures with a real double-click on its
// row in the folder list, until the folder list and the file list have both
// painted, alternating with a bare FindFirstFileA/FindNextFileA enumeration
// of that folder with the file list's masks. One figure per folder, so that
// folders of different sizes show how the cost grows.
// usage: browse_bench.exe.so PARENT RUNS FOLDER...
#include <windows.h>

#include <algorithm>
#include <cstdlib>
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
#include "bench/harness/x_screen.h"
#include "browse/path_rules.h"
#include "platform/text.h"

namespace {
using bench::Driven;
using bench::PaintWatch;
using bench::XScreen;

const double kTimeout = 60;

int BareEnumeration(const std::string& folder, const std::string& mask) {
    int found = 0;
    for (const std::string& pattern : SplitMask(mask)) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA(Narrow1250(JoinPath(Wide(folder), Wide(pattern))).c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) continue;
        do {
            if (!(fd.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
                ++found;
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    return found;
}

// The screen point in the middle of the folder list's row for `path`.
POINT FolderRow(Driven& d, const std::string& path) {
    const TDirectoryListBox& dir = *Okno->Dir;
    return bench::ListRow(
        d, dir, [&](int row) { return lstrcmpiW(WidePtr(dir.EntryPath(row)), WidePtr(Wide(path))) == 0; }, path);
}

std::string Selected(const TDirectoryListBox& dir) {
    const int row = dir.ItemIndex();
    return row < 0 ? std::string() : Narrow1250(dir.EntryPath(row));
}

// From the second press of the double-click until both lists have painted.
double Enter(Driven& d, XScreen& x, const std::string& parent, const std::string& folder) {
    bench::EnterFolder(d, parent);
    std::unique_ptr<PaintWatch> dir, files;
    d.Ui([&] {
        dir = std::make_unique<PaintWatch>(Okno->Dir->Handle());
        files = std::make_unique<PaintWatch>(Okno->files->Handle());
    });
    const POINT row = FolderRow(d, folder);
    double t0 = 0;
    x.DoubleClick(row.x, row.y, [&] {
        // The first click selects the row (drawn at once, without a paint).
        d.UiWait([&] { return lstrcmpiA(Selected(*Okno->Dir).c_str(), folder.c_str()) == 0; }, kTimeout);
        dir->Arm();
        files->Arm();
        t0 = bench::Now();
    });
    const double dirPainted = dir->Wait(kTimeout), filesPainted = files->Wait(kTimeout);
    d.Ui([&] {
        dir.reset();
        files.reset();
    });
    const double t1 = std::max(dirPainted, filesPainted);
    if (dirPainted < 0 || filesPainted < 0) throw std::runtime_error("entering " + folder + " did not paint the lists");
    return t1 - t0;
}

int Drive(Driven& d, const std::string& parent, int runs, const std::vector<std::string>& names) {
    XScreen x;
    std::string mask;
    d.Ui([&] { mask = Okno->files->Mask(); });
    for (const std::string& name : names) {
        const std::string folder = Narrow1250(JoinPath(Wide(parent), Wide(name)));
        int enumerated = 0, listed = 0;
        const auto pairs = bench::Alternate(
            runs, [&] { return Enter(d, x, parent, folder); },
            [&] {
                const double t0 = bench::Now();
                enumerated = BareEnumeration(folder, mask);
                return bench::Now() - t0;
            });
        d.Ui([&] { listed = Okno->files->Count(); });
        if (listed != enumerated)
            throw std::runtime_error("the list shows " + std::to_string(listed) + " of " + std::to_string(enumerated));
        bench::Note("%s: %d pictures listed", name.c_str(), listed);
        bench::Emit("browse-" + name, pairs);
    }
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    const auto args = bench::Arguments(argc, argv, 3, "browse_bench PARENT RUNS FOLDER...");
    if (!args) return 2;
    const int runs = std::max(1, std::atoi((*args)[1].c_str()));
    const std::vector<std::string> names(args->begin() + 2, args->end());
    return bench::RunDriven([&](Driven& d) { return Drive(d, (*args)[0], runs, names); });
}
