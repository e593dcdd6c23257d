// The whole-program mutation run: seed pictures of one format are damaged
// (bit flips, telling values in aligned 16- and 32-bit fields, chunks
// duplicated or removed at record boundaries, truncation) and each result
// goes through every step a user can trigger: load, width and height, draw
// at natural size and shrunk into a DIB section, copy to the clipboard,
// save (a metafile as EMF and as WMF), load each saved file again and draw
// it.
// Before each case its number is written to WORK/progress and its bytes to
// WORK/case.EXT, so that fuzz/whole_program.sh, which restarts the run
// after a crash or a hang, can keep the input that caused it. At the end,
// one line of figures is appended to WORK/tally.
// usage: mutate_pictures SEEDS WORK EXT FIRST COUNT
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "picture/canvas.h"
#include "picture/clipboard.h"
#include "picture/kinds.h"
#include "picture/picture.h"
#include "ui/application.h"
#include "platform/exceptions.h"
#include "platform/handle.h"
#include "platform/text.h"
#include "wide_args.h"
#include "ui/gdi.h"

namespace {

using Bytes = std::vector<uint8_t>;

// splitmix64: the same cases from every run.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed * 0x2545F4914F6CDD1Dull + 1) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    size_t Below(size_t n) { return n ? size_t(Next() % n) : 0; }

private:
    uint64_t state_;
};

uint32_t Get(const Bytes& b, size_t at, size_t width) {
    uint32_t v = 0;
    for (size_t i = 0; i < width && at + i < b.size(); ++i) v |= uint32_t(b[at + i]) << (8 * i);
    return v;
}

void Set(Bytes& b, size_t at, size_t width, uint32_t v) {
    for (size_t i = 0; i < width && at + i < b.size(); ++i) b[at + i] = uint8_t(v >> (8 * i));
}

// Where the format's records (or headers, tables and images) begin.
std::vector<size_t> Boundaries(const Bytes& b, const std::string& ext) {
    std::vector<size_t> at;
    if (ext == "emf") {
        for (size_t p = 0; p + 8 <= b.size() && Get(b, p + 4, 4) >= 8; p += Get(b, p + 4, 4)) at.push_back(p);
    } else if (ext == "wmf") {
        at = {0, 22};
        for (size_t p = 40; p + 6 <= b.size() && Get(b, p, 4) >= 3; p += 2 * size_t(Get(b, p, 4))) at.push_back(p);
    } else if (ext == "bmp") {
        at = {0, 14, 14 + size_t(Get(b, 14, 4)), size_t(Get(b, 10, 4))};
    } else {
        at = {0, 6};
        for (size_t i = 0; i < Get(b, 4, 2) && i < 16; ++i) {
            at.push_back(6 + 16 * i);
            at.push_back(Get(b, 6 + 16 * i + 12, 4));
        }
    }
    at.erase(std::remove_if(at.begin(), at.end(), [&](size_t p) { return p >= b.size(); }), at.end());
    std::sort(at.begin(), at.end());
    at.erase(std::unique(at.begin(), at.end()), at.end());
    at.push_back(b.size());
    return at;
}

const uint32_t kTelling[] = {0,      1,     2,      3,      4,      7,          8,          16,        0x20,
                             0x3F,   0x40,  0x7F,   0x80,   0xFF,   0x100,      0x3FF,      0x400,     0x7FFF,
                             0x8000, 0xFFFF, 0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFFE, 0x40000000};

// One damage: a bit flipped, a telling value or a value off by one in an
// aligned field, a chunk between two boundaries duplicated or removed, or
// the end cut off.
void Damage(Bytes& b, const std::string& ext, Random& r) {
    if (b.empty()) return;
    switch (r.Below(6)) {
        case 0: b[r.Below(b.size())] ^= uint8_t(1u << r.Below(8)); return;
        case 1:
        case 2: {
            const size_t width = r.Below(2) ? 4 : 2, at = r.Below(b.size() / width) * width;
            const uint32_t old = Get(b, at, width);
            const uint32_t value = r.Below(3) ? kTelling[r.Below(sizeof kTelling / sizeof kTelling[0])]
                                              : old + (r.Below(2) ? 1u : uint32_t(-1));
            return Set(b, at, width, value);
        }
        case 3:
        case 4: {
            const std::vector<size_t> at = Boundaries(b, ext);
            if (at.size() < 3) return;
            const size_t k = 1 + r.Below(at.size() - 2);  // never the file's own first header
            const Bytes chunk(b.begin() + long(at[k]), b.begin() + long(at[k + 1]));
            if (r.Below(2))
                b.insert(b.begin() + long(at[k + 1]), chunk.begin(), chunk.end());
            else
                b.erase(b.begin() + long(at[k]), b.begin() + long(at[k + 1]));
            return;
        }
        default: b.resize(r.Below(b.size())); return;
    }
}

// Half the cases get their headers' sums and sizes set again, so that the
// damage is read further than the first test of the header.
void Restate(Bytes& b, const std::string& ext) {
    if (ext == "emf" && b.size() >= 100) Set(b, 48, 4, uint32_t(b.size()));
    if (ext == "wmf" && b.size() >= 40) {
        uint16_t sum = 0;
        for (size_t i = 0; i < 20; i += 2) sum ^= uint16_t(Get(b, i, 2));
        Set(b, 20, 2, sum);
        Set(b, 28, 4, uint32_t((b.size() - 22) / 2));
    }
}

Bytes Mutate(const Bytes& seed, const std::string& ext, uint64_t number) {
    Random r(number);
    Bytes b = seed;
    for (size_t steps = 1 + r.Below(4); steps > 0; --steps) Damage(b, ext, r);
    if (r.Below(2)) Restate(b, ext);
    return b;
}

// Through the system's wide file calls, which take the Windows paths the script gives.
Bytes ReadBytes(const std::u16string& path) {
    Bytes b;
    const FileHandle file(
        CreateFileW(WidePtr(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return b;
    b.resize(GetFileSize(file.get(), nullptr));
    DWORD read = 0;
    if (!b.empty() && !::ReadFile(file.get(), b.data(), DWORD(b.size()), &read, nullptr)) read = 0;
    b.resize(read);
    return b;
}

void WriteBytes(const std::u16string& path, const void* data, size_t size, bool append = false) {
    const FileHandle file(CreateFileW(WidePtr(path), append ? FILE_APPEND_DATA : GENERIC_WRITE, FILE_SHARE_READ,
                                      nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS, 0, nullptr));
    if (!file) return;
    DWORD written = 0;
    ::WriteFile(file.get(), data, DWORD(size), &written, nullptr);
}

std::vector<Bytes> Seeds(const std::u16string& folder, const std::string& ext) {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW found;
    const SearchHandle search(FindFirstFileW(WidePtr(folder + u"\\*." + Wide(ext)), &found));
    if (!search) return {};
    do names.push_back(FromWide(found.cFileName));
    while (FindNextFileW(search.get(), &found));
    std::sort(names.begin(), names.end());
    std::vector<Bytes> seeds;
    for (const std::u16string& name : names) seeds.push_back(ReadBytes(folder + u"\\" + name));
    return seeds;
}

struct Tally {
    long cases = 0, loaded = 0, refused = 0, drawErrors = 0, saved = 0, saveErrors = 0, reloaded = 0, reloadErrors = 0;
};

// A 32-bit DIB section to draw into.
class Target {
public:
    Target(LONG width, LONG height) {
        BITMAPINFO bi{};
        bi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        keep_ = std::make_unique<SelectGuard>(dc_.get(), bitmap_.get());
    }
    HDC dc() const { return dc_.get(); }

private:
    MemoryDC dc_;
    Bitmap bitmap_;
    std::unique_ptr<SelectGuard> keep_;
};

// Draws at natural size (at most 2048 pixels each way) and shrunk; false when a drawing failed.
bool Draw(TGraphic& graphic) {
    bool ok = true;
    const LONG width = std::clamp(graphic.Width(), 1, 2048), height = std::clamp(graphic.Height(), 1, 2048);
    for (const RECT& rect : {RECT{0, 0, width, height}, RECT{0, 0, 48, 36}}) {
        Target target(rect.right, rect.bottom);
        TCanvas canvas(target.dc());
        try {
            graphic.Draw(canvas, rect);
        } catch (const Exception&) {
            ok = false;
        }
    }
    return ok;
}

// Saves under `path` and loads the saved file again.
void SaveAndReload(TPicture& picture, const std::u16string& path, Tally& tally) {
    try {
        picture.SaveFile(path);
        ++tally.saved;
    } catch (const Exception&) {
        ++tally.saveErrors;
        return;
    }
    TPicture again;
    try {
        again.LoadFile(path);
        ++tally.reloaded;
        Draw(*again.Graphic());
    } catch (const Exception&) {
        ++tally.reloadErrors;
    }
}

void RunCase(const std::u16string& work, const std::string& ext, Tally& tally) {
    ++tally.cases;
    TPicture picture;
    try {
        picture.LoadFile(work + u"\\case." + Wide(ext));
    } catch (const Exception&) {
        ++tally.refused;
        return;
    }
    ++tally.loaded;
    picture.Width();
    picture.Height();
    if (!Draw(*picture.Graphic())) ++tally.drawErrors;
    try {
        Clipboard().Assign(&picture);
    } catch (const Exception&) {
    }
    // Metafiles are saved in both metafile formats, the other kinds in their own.
    const bool metafile = ext == "emf" || ext == "wmf";
    SaveAndReload(picture, work + u"\\saved." + Wide(metafile ? "emf" : ext), tally);
    if (metafile) SaveAndReload(picture, work + u"\\saved.wmf", tally);
}

}  // namespace

int main() {
    const std::vector<std::u16string> args = WideArguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: mutate_pictures SEEDS WORK EXT FIRST COUNT\n");
        return 2;
    }
    const std::u16string& seedsFolder = args[0];
    const std::u16string& work = args[1];
    const std::string ext = Utf8(args[2]);
    const long first = std::atol(Utf8(args[3]).c_str()), count = std::atol(Utf8(args[4]).c_str());
    RegisterPictureKinds();
    TApplication application;
    application.Initialize();
    const std::vector<Bytes> seeds = Seeds(seedsFolder, ext);
    if (seeds.empty()) {
        std::fprintf(stderr, "no seeds *.%s in %s\n", ext.c_str(), Utf8(seedsFolder).c_str());
        return 2;
    }
    Tally tally;
    const std::u16string progress = work + u"\\progress";
    for (long n = first; n < first + count; ++n) {
        const Bytes bytes = Mutate(seeds[size_t(n) % seeds.size()], ext, uint64_t(n));
        WriteBytes(work + u"\\case." + Wide(ext), bytes.data(), bytes.size());
        const std::string number = std::to_string(n) + "\n";
        WriteBytes(progress, number.data(), number.size());
        RunCase(work, ext, tally);
    }
    char line[256];
    const int length = std::snprintf(line, sizeof line, "%ld %ld %ld %ld %ld %ld %ld %ld\n", tally.cases, tally.loaded,
                                     tally.refused, tally.drawErrors, tally.saved, tally.saveErrors, tally.reloaded,
                                     tally.reloadErrors);
    WriteBytes(work + u"\\tally", line, size_t(length), true);
    const std::string done = "done\n";
    WriteBytes(progress, done.data(), done.size());
    return 0;
}
