// Metafile pictures under the real system: recognition by content, sizes,
// the save-format rules, playing into a rectangle and the clipboard. The
// metafiles are recorded with GDI by the tests themselves.
#include "testing.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <utility>

#include "fixture.h"
#include "picture/clipboard.h"
#include "picture/codec/little_endian.h"
#include "picture/metafile.h"
#include "picture/picture.h"
#include "picture_testing.h"
#include "platform/exceptions.h"
#include "platform/stream.h"
#include "tools/metafiles/valid_set.h"
#include "ui/gdi.h"

namespace {
const COLORREF kFill = RGB(200, 40, 10);

using codec::le::Put16;
using codec::le::Put32;
uint16_t Get16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }
uint32_t Get32(const std::vector<uint8_t>& b, size_t at) { return Get16(b, at) | uint32_t(Get16(b, at + 2)) << 16; }

// A metafile recorded on the screen with a frame of frameW x frameH pixels
// (in 0.01 mm), filled with one colour over fillW x fillH pixels.
EnhMetafile Recorded(int frameW, int frameH, int fillW, int fillH) {
    WindowDC screen(nullptr);
    const RECT frame{0, 0,
                     MulDiv(frameW, GetDeviceCaps(screen.get(), HORZSIZE) * 100, GetDeviceCaps(screen.get(), HORZRES)),
                     MulDiv(frameH, GetDeviceCaps(screen.get(), VERTSIZE) * 100, GetDeviceCaps(screen.get(), VERTRES))};
    HDC dc = CreateEnhMetaFileA(screen.get(), nullptr, &frame, nullptr);
    Brush brush(CreateSolidBrush(kFill));
    const RECT all{0, 0, fillW, fillH};
    FillRect(dc, &all, brush.get());
    return EnhMetafile(CloseEnhMetaFile(dc));
}

EnhMetafile Filled(int w, int h) { return Recorded(w, h, w, h); }

// The smallest rectangle holding every pixel of the colour, and their count.
struct Covered {
    RECT bounds{INT_MAX, INT_MAX, -1, -1};
    int count = 0;
};
Covered CoveredBy(const std::vector<uint32_t>& pixels, int width, uint32_t colour) {
    Covered c;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (pixels[i] != colour) continue;
        const LONG x = LONG(i % size_t(width)), y = LONG(i / size_t(width));
        c.bounds = RECT{std::min(c.bounds.left, x), std::min(c.bounds.top, y), std::max(c.bounds.right, x),
                        std::max(c.bounds.bottom, y)};
        ++c.count;
    }
    return c;
}

std::vector<uint8_t> EmfBytes(HENHMETAFILE emf) {
    std::vector<uint8_t> bytes(GetEnhMetaFileBits(emf, 0, nullptr));
    GetEnhMetaFileBits(emf, UINT(bytes.size()), bytes.data());
    return bytes;
}

std::vector<uint8_t> WmfRecords(HENHMETAFILE emf) {
    WindowDC screen(nullptr);
    std::vector<uint8_t> bytes(GetWinMetaFileBits(emf, 0, nullptr, MM_ANISOTROPIC, screen.get()));
    GetWinMetaFileBits(emf, UINT(bytes.size()), bytes.data(), MM_ANISOTROPIC, screen.get());
    return bytes;
}

// A placeable WMF: the header for the box and units per inch, then the records.
std::vector<uint8_t> Placeable(int16_t left, int16_t top, int16_t right, int16_t bottom, uint16_t upi,
                               const std::vector<uint8_t>& records) {
    std::vector<uint8_t> b(22 + records.size(), 0);
    Put16(b, 0, 0xCDD7);
    Put16(b, 2, 0x9AC6);
    Put16(b, 6, uint16_t(left));
    Put16(b, 8, uint16_t(top));
    Put16(b, 10, uint16_t(right));
    Put16(b, 12, uint16_t(bottom));
    Put16(b, 14, upi);
    uint16_t sum = 0;
    for (size_t i = 0; i < 20; i += 2) sum ^= Get16(b, i);
    Put16(b, 20, sum);
    std::copy(records.begin(), records.end(), b.begin() + 22);
    return b;
}

std::vector<uint8_t> PlaceableOf(int16_t right, int16_t bottom, uint16_t upi) {
    EnhMetafile emf = Filled(64, 32);
    return Placeable(0, 0, right, bottom, upi, WmfRecords(emf.get()));
}

bool IsPlaceable(const std::vector<uint8_t>& b) { return b.size() > 22 && Get32(b, 0) == 0x9AC6CDD7; }
bool IsEmfFile(const std::vector<uint8_t>& b) { return b.size() > 100 && Get32(b, 0) == 1 && Get32(b, 40) == 0x464D4520; }

struct Box {
    int16_t left, top, right, bottom;
    uint16_t upi;
};
Box BoxOf(const std::vector<uint8_t>& b) {
    return {int16_t(Get16(b, 6)), int16_t(Get16(b, 8)), int16_t(Get16(b, 10)), int16_t(Get16(b, 12)), Get16(b, 14)};
}

// A logical extent in 0.01 mm as box units at upi units per inch, rounded.
int BoxFor(int32_t logical, int upi) { return int(std::lround(logical * double(upi) / 2540)); }

TMetafile& MetafileOf(TPicture& picture) { return static_cast<TMetafile&>(*picture.Graphic()); }
}  // namespace

TEST_CASE("a Windows metafile needs its placeable header") {
    TestApplication();
    TempFolder dir;
    EnhMetafile emf = Filled(64, 32);
    TPicture picture;
    dir.Write("holy.wmf", WmfRecords(emf.get()));
    CHECK_THROWS_WITH_AS(picture.LoadFile(dir.File("holy.wmf")), "Metafile is not valid", EInvalidGraphic);
    dir.Write("kratky.wmf", {0xD7, 0xCD, 0xC6, 0x9A, 0, 0});
    CHECK_THROWS_WITH_AS(picture.LoadFile(dir.File("kratky.wmf")), "Stream read error", EReadError);
    std::vector<uint8_t> zlomeny = PlaceableOf(96, 48, 96);
    zlomeny.resize(zlomeny.size() - 6);  // no end record
    dir.Write("zlomeny.wmf", zlomeny);
    CHECK_THROWS_WITH_AS(picture.LoadFile(dir.File("zlomeny.wmf")), "Metafile is not valid", EInvalidGraphic);
    CHECK(picture.Graphic() == nullptr);
}

TEST_CASE("a metafile that measures no pixels is not valid") {
    TestApplication();
    TMetafile metafile;
    TMemoryStream flat(PlaceableOf(96, 0, 96));
    CHECK_THROWS_WITH_AS(metafile.LoadStream(flat), "Metafile is not valid", EInvalidGraphic);
    std::vector<uint8_t> emf = EmfBytes(Filled(10, 10).get());
    Put32(emf, 32, Get32(emf, 24));  // frame right = left
    TMemoryStream narrow(emf);
    CHECK_THROWS_WITH_AS(metafile.LoadStream(narrow), "Metafile is not valid", EInvalidGraphic);
}

TEST_CASE("sizes of a placeable WMF come from its box and units per inch") {
    TestApplication();
    REQUIRE(ScreenPixelsPerInch() == 96);
    TMetafile metafile;

    SUBCASE("1440 units per inch over 1440 units are 96 pixels") {
        TMemoryStream stream(PlaceableOf(1440, 720, 1440));
        metafile.LoadStream(stream);
        CHECK(metafile.LogicalWidth() == 2540);
        CHECK(metafile.LogicalHeight() == 1270);
        CHECK(metafile.Width() == 96);
        CHECK(metafile.Height() == 48);
        CHECK(metafile.UnitsPerInch() == 1440);
        CHECK_FALSE(metafile.SaveAsEnhanced());
    }
    SUBCASE("0 units per inch are taken as 96") {
        TMemoryStream stream(PlaceableOf(200, 100, 0));
        metafile.LoadStream(stream);
        CHECK(metafile.UnitsPerInch() == 0);
        CHECK(metafile.LogicalWidth() == 5292);
        CHECK(metafile.LogicalHeight() == 2646);
        CHECK(metafile.Width() == 200);
        CHECK(metafile.Height() == 100);
        TMemoryStream out;
        metafile.SaveStream(out);
        const Box box = BoxOf(out.Bytes());
        CHECK(box.upi == 96);
        CHECK(box.right == 200);
        CHECK(box.bottom == 100);
    }
}

TEST_CASE("the content decides between EMF and WMF, whatever the name") {
    TestApplication();
    TempFolder dir;
    EnhMetafile recorded = Filled(100, 50);
    const std::vector<uint8_t> emf = EmfBytes(recorded.get());
    dir.Write("kresba.wmf", emf);
    dir.Write("klipart.emf", PlaceableOf(1440, 720, 1440));
    TPicture picture;

    picture.LoadFile(dir.File("kresba.wmf"));
    CHECK(MetafileOf(picture).SaveAsEnhanced());
    CHECK(MetafileOf(picture).UnitsPerInch() == 0);
    CHECK(picture.Width() == 100);
    CHECK(picture.Height() == 50);

    picture.LoadFile(dir.File("klipart.emf"));
    CHECK_FALSE(MetafileOf(picture).SaveAsEnhanced());
    CHECK(picture.Width() == 96);

    SUBCASE("bytes after the enhanced metafile are left in the stream") {
        std::vector<uint8_t> longer = emf;
        longer.insert(longer.end(), 40, 0xEE);
        TMemoryStream stream(longer);
        TMetafile metafile;
        metafile.LoadStream(stream);
        CHECK(stream.Position() == int64_t(emf.size()));
    }
}

TEST_CASE("saving: a .wmf name writes a placeable WMF, any other the format that was loaded") {
    TestApplication();
    TempFolder dir;
    EnhMetafile recorded = Filled(100, 50);
    dir.Write("kresba.emf", EmfBytes(recorded.get()));
    dir.Write("klipart.wmf", Placeable(100, 50, 1540, 770, 1440, WmfRecords(recorded.get())));
    TPicture picture;

    SUBCASE("from an EMF") {
        picture.LoadFile(dir.File("kresba.emf"));
        const TMetafile& metafile = MetafileOf(picture);
        picture.SaveFile(dir.File("ako.WMF"));
        const std::vector<uint8_t> wmf = ReadBytes(dir.File("ako.WMF"));
        REQUIRE(IsPlaceable(wmf));
        const Box box = BoxOf(wmf);
        CHECK(box.upi == 96);
        CHECK(box.left == 0);
        CHECK(box.top == 0);
        CHECK(box.right == BoxFor(metafile.LogicalWidth(), 96));
        CHECK(box.bottom == BoxFor(metafile.LogicalHeight(), 96));
        CHECK(metafile.SaveAsEnhanced());  // only that save was a WMF

        picture.SaveFile(dir.File("ako.emf"));
        CHECK(IsEmfFile(ReadBytes(dir.File("ako.emf"))));
        picture.SaveFile(dir.File("ako.bmp"));
        CHECK(IsEmfFile(ReadBytes(dir.File("ako.bmp"))));

        // The WMF written reads back at the same size.
        TPicture again;
        again.LoadFile(dir.File("ako.WMF"));
        CHECK(again.Width() == picture.Width());
        CHECK(again.Height() == picture.Height());
    }
    SUBCASE("from a WMF: its units per inch kept, the box rewritten from the logical size") {
        picture.LoadFile(dir.File("klipart.wmf"));
        CHECK(picture.Width() == 96);
        CHECK(picture.Height() == 48);
        for (const char* name : {"spat.emf", "spat.wmf"}) {
            picture.SaveFile(dir.File(name));
            const std::vector<uint8_t> wmf = ReadBytes(dir.File(name));
            REQUIRE(IsPlaceable(wmf));
            const Box box = BoxOf(wmf);
            CHECK(box.upi == 1440);
            CHECK(box.left == 0);
            CHECK(box.top == 0);
            CHECK(box.right == 1440);
            CHECK(box.bottom == 720);
        }
        TPicture again;
        again.LoadFile(dir.File("spat.emf"));
        CHECK(again.Width() == 96);
        CHECK(again.Height() == 48);
        CHECK(Render(*again.Graphic(), 96, 48)[48 * 24 + 48] == Rgb(200, 40, 10));
    }
    SUBCASE("stored data: a length counting itself, then the metafile") {
        picture.LoadFile(dir.File("kresba.emf"));
        TMemoryStream stored;
        MetafileOf(picture).WriteStoredData(stored);
        CHECK(Get32(stored.Bytes(), 0) == stored.Bytes().size());
        stored.SetPosition(0);
        TMetafile copy;
        copy.ReadStoredData(stored);
        CHECK(copy.Equals(MetafileOf(picture)));
        CHECK(copy.Width() == 100);
    }
}

TEST_CASE("a metafile drawn into 100 x 50 plays into (0, 0)-(99, 49)") {
    TestApplication();
    // The fill covers the frame's right and bottom edges too: played into
    // (0, 0)-(99, 49) it lands pixel for pixel; any other frame would stretch it.
    TMetafile metafile;
    TMemoryStream stream(EmfBytes(Recorded(99, 49, 100, 50).get()));
    metafile.LoadStream(stream);
    for (const RECT& rect : {RECT{0, 0, 100, 50}, RECT{7, 5, 107, 55}}) {
        const Covered c = CoveredBy(Render(metafile, 120, 70, rect), 120, Rgb(200, 40, 10));
        CHECK(c.bounds.left == rect.left);
        CHECK(c.bounds.top == rect.top);
        CHECK(c.bounds.right == rect.right - 1);
        CHECK(c.bounds.bottom == rect.bottom - 1);
        CHECK(c.count == 100 * 50);
    }
}

TEST_CASE("copying a metafile puts an enhanced metafile on the clipboard, also for a WMF") {
    TestApplication();
    for (bool wmf : {false, true}) {
        CAPTURE(wmf);
        EnhMetafile recorded = Filled(100, 50);
        TMemoryStream stream(wmf ? Placeable(0, 0, 1440, 720, 1440, WmfRecords(recorded.get()))
                                 : EmfBytes(recorded.get()));
        TMetafile metafile;
        metafile.LoadStream(stream);
        TPicture picture;
        picture.SetGraphic(&metafile);
        Clipboard().Assign(&picture);
        CHECK(Clipboard().OpenCount() == 0);
        REQUIRE(OpenClipboard(nullptr));
        auto copy = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
        CHECK(copy != nullptr);
        CHECK(copy != metafile.Handle());
        CHECK_FALSE(IsClipboardFormatAvailable(CF_PALETTE));
        if (copy) CHECK(EmfBytes(copy) == EmfBytes(metafile.Handle()));
        CloseClipboard();
    }
}

// The system's converter keeps a copy of a Windows metafile each time it
// finds an enhanced metafile carried in it, as every WMF this program saves
// carries one: the picture plays that copy itself.
TEST_CASE("previewing a WMF this program saved 120 times grows the program by under 0.5 MB") {
    TestApplication();
    TempFolder folder;
    for (const metafiles::File& file : metafiles::ValidSet())
        if (file.name == "true-colour-count.emf") folder.Write(file.name, file.bytes);
    TPicture picture;
    picture.LoadFile(folder.File("true-colour-count.emf"));
    picture.SaveFile(folder.File("saved.wmf"));
    auto preview = [&] {
        picture.LoadFile(folder.File("saved.wmf"));
        Render(*picture.Graphic(), 48, 36);
    };
    // What the program holds: the system's heap, where the platform keeps
    // its copies, and the pages of its own memory.
    auto held = [] {
        int64_t bytes = 0;
        PROCESS_HEAP_ENTRY entry{};
        HeapLock(GetProcessHeap());
        while (HeapWalk(GetProcessHeap(), &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += entry.cbData;
        HeapUnlock(GetProcessHeap());
        PROCESS_MEMORY_COUNTERS counters{};
        K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
        return std::pair<int64_t, int64_t>(bytes, int64_t(counters.PagefileUsage));
    };
    for (int i = 0; i < 10; ++i) preview();
    const auto before = held();
    for (int i = 0; i < 120; ++i) preview();
    const auto after = held();
    const int64_t heap = after.first - before.first, pages = after.second - before.second;
    std::printf("120 previews of a saved WMF: heap %+lld KB, private pages %+lld KB\n",
                static_cast<long long>(heap / 1024), static_cast<long long>(pages / 1024));
    CHECK(heap < 512 * 1024);
    CHECK(pages < 512 * 1024);
}
