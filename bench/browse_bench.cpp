// Benchmark: entering a folder of pictures with a real double-click on its
// row in the folder list, until the folder list has painted that folder and
// the file list has painted with every picture of it, alternating with one
// FindFirstFileW/FindNextFileW pass over all the folder's entries ("*.*")
// that counts the files of the file list's masks, as the program reads a
// folder. One figure per folder, so that folders of different sizes show
// how the cost grows.
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
#include "platform/handle.h"
#include "platform/text.h"

namespace {
using bench::Driven;
using bench::PaintWatch;
using bench::XScreen;

const double kTimeout = 60;

// "*.jpg;*.bmp" gives "jpg" and "bmp".
std::vector<std::u16string> Extensions(const std::string& mask) {
    std::vector<std::u16string> out;
    for (const std::string& pattern : SplitMask(mask)) out.push_back(Wide(pattern.substr(pattern.find('.') + 1)));
    return out;
}

int BareEnumeration(const std::string& folder, const std::vector<std::u16string>& extensions) {
    const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    int found = 0;
    WIN32_FIND_DATAW fd;
    SearchHandle h(FindFirstFileW(WidePtr(JoinPath(Wide(folder), u"*.*")), &fd));
    if (!h) return 0;
    do {
        const std::u16string name = FromWide(fd.cFileName);
        const size_t dot = name.rfind(u'.');
        if (dot == std::u16string::npos || (fd.dwFileAttributes & skipped)) continue;
        const std::u16string extension = name.substr(dot + 1);
        found += std::any_of(extensions.begin(), extensions.end(), [&](const std::u16string& e) {
            return lstrcmpiW(WidePtr(extension), WidePtr(e)) == 0;
        });
    } while (FindNextFileW(h.get(), &fd));
    return found;
}

bool Same(const std::u16string& a, const std::string& b) { return lstrcmpiW(WidePtr(a), WidePtr(Wide(b))) == 0; }

// The screen point in the middle of the folder list's row for `path`.
POINT FolderRow(Driven& d, const std::string& path) {
    const TDirectoryListBox& dir = *Okno->Dir;
    return bench::ListRow(d, dir, [&](int row) { return Same(dir.EntryPath(row), path); }, path);
}

std::u16string Selected(const TDirectoryListBox& dir) {
    const int row = dir.ItemIndex();
    return row < 0 ? std::u16string() : dir.EntryPath(row);
}

// From the second press of the double-click until the folder list has
// painted the folder and the file list its `pictures` files.
double Enter(Driven& d, XScreen& x, const std::string& parent, const std::string& folder, int pictures) {
    bench::EnterFolder(d, parent);
    std::unique_ptr<PaintWatch> dir, files;
    d.Ui([&] {
        dir = std::make_unique<PaintWatch>(Okno->Dir->Handle(), [&] { return Same(Okno->Dir->Directory(), folder); });
        files = std::make_unique<PaintWatch>(Okno->files->Handle(), [&] {
            return Same(Okno->files->Directory(), folder) && Okno->files->Count() == pictures;
        });
    });
    const POINT row = FolderRow(d, folder);
    double t0 = 0;
    x.DoubleClick(row.x, row.y, [&] {
        // The first click selects the row (drawn at once, without a paint).
        d.UiWait([&] { return Same(Selected(*Okno->Dir), folder); }, kTimeout);
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
    if (dirPainted < 0 || filesPainted < 0)
        throw std::runtime_error("entering " + folder + " did not paint the lists with its " +
                                 std::to_string(pictures) + " pictures");
    return t1 - t0;
}

int Drive(Driven& d, const std::string& parent, int runs, const std::vector<std::string>& names) {
    XScreen x;
    std::vector<std::u16string> extensions;
    d.Ui([&] { extensions = Extensions(Okno->files->Mask()); });
    for (const std::string& name : names) {
        const std::string folder = Narrow1250(JoinPath(Wide(parent), Wide(name)));
        const int pictures = BareEnumeration(folder, extensions);
        if (pictures == 0) throw std::runtime_error("no pictures in " + folder);
        const auto pairs = bench::Alternate(
            runs, [&] { return Enter(d, x, parent, folder, pictures); },
            [&] {
                const double t0 = bench::Now();
                if (BareEnumeration(folder, extensions) != pictures) throw std::runtime_error(folder + " changed");
                return bench::Now() - t0;
            });
        bench::Note("%s: %d pictures listed", name.c_str(), pictures);
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
