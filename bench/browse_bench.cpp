// Benchmark: entering a folder of 10,000 picture files in the folder list,
// until the linked file list is filled and sorted, against a bare directory
// enumeration with the same masks in the same run. Prints the ratio of the
// medians; the target is at most 2.0.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "browse/directory_list_box.h"
#include "browse/file_list_box.h"
#include "browse/path_rules.h"
#include "ui/application.h"
#include "ui/form.h"

#include "bench/timing.h"

namespace {
const int kFiles = 10000;
const int kRuns = 9;
const double kTarget = 2.0;
const char kMask[] = "*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf";
const char* const kExtensions[] = {"jpg", "jpeg", "bmp", "ico", "emf", "wmf"};

using bench::Median;
using bench::Now;

std::string MakeFolder(const std::string& parent) {
    std::string folder = JoinPath(parent, "obrazky");
    CreateDirectoryA(folder.c_str(), nullptr);
    char name[64];
    for (int i = 0; i < kFiles; ++i) {
        std::snprintf(name, sizeof name, "obrazok_%05d.%s", (i * 7919) % kFiles, kExtensions[i % 6]);
        HANDLE h = CreateFileA(JoinPath(folder, name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    return folder;
}

int BareEnumeration(const std::string& folder) {
    int found = 0;
    for (const std::string& pattern : SplitMask(kMask)) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA(JoinPath(folder, pattern).c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) continue;
        do {
            if (!(fd.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
                ++found;
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    return found;
}

void WriteExitCode(int code) {
    if (const char* path = std::getenv("LUMENO_EXIT_FILE"))
        if (FILE* f = std::fopen(path, "w")) {
            std::fprintf(f, "%d\n", code);
            std::fclose(f);
        }
}

int Run() {
    TApplication app;
    app.Initialize();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string parent = JoinPath(temp, "lumeno-bench");
    CreateDirectoryA(parent.c_str(), nullptr);
    std::string folder = MakeFolder(parent);

    FormSettings fs;
    fs.clientWidth = 618;
    fs.clientHeight = 399;
    TForm form(fs);
    ListBoxSettings ds;
    ds.left = 8, ds.top = 27, ds.width = 265, ds.height = 150;
    TDirectoryListBox dir(&form, ds);
    FileListSettings f;
    f.left = 288, f.top = 51, f.width = 321, f.height = 278;
    f.showGlyphs = true;
    TFileListBox files(&form, f);
    dir.SetFileList(&files);
    files.SetMask(kMask);
    form.Show();

    std::vector<double> lists, bares, folderRows;
    int listed = 0, enumerated = 0;
    for (int run = 0; run <= kRuns; ++run) {
        dir.SetDirectory(parent);
        double t0 = Now();
        dir.SetDirectory(folder);
        double t1 = Now();
        listed = files.Count();
        enumerated = BareEnumeration(folder);
        double t2 = Now();
        // The folder rows alone (the file list stays on the same folder).
        dir.Update();
        double t3 = Now();
        if (run == 0) continue;  // warm-up
        lists.push_back(t1 - t0);
        bares.push_back(t2 - t1);
        folderRows.push_back(t3 - t2);
    }
    double ratio = Median(lists) / Median(bares);
    std::printf("files listed %d, enumerated %d\n", listed, enumerated);
    std::printf("folder list + file list: %.1f ms (median of %d)\n", Median(lists) * 1000, kRuns);
    std::printf("  of which the folder rows alone %.1f ms\n", Median(folderRows) * 1000);
    std::printf("bare FindFirstFileA/FindNextFileA: %.1f ms (median of %d)\n", Median(bares) * 1000, kRuns);
    std::printf("ratio %.2f (target at most %.1f)\n", ratio, kTarget);
    std::fflush(stdout);
    return listed == kFiles && enumerated == kFiles && ratio <= kTarget ? 0 : 1;
}
}  // namespace

int main() {
    int code = 1;
    try {
        code = Run();
    } catch (const std::exception& e) {
        std::printf("benchmark failed: %s\n", e.what());
    }
    WriteExitCode(code);
    return code;
}
