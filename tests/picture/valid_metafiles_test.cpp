// The valid set of metafiles (every call the recording DCs take, and what
// other writers produce) through the picture layer: each loads, plays
// something at its own size and stretched, copies as an enhanced metafile
// and saves as a Windows metafile, with the process heap intact.
#include "testing.h"

#include <algorithm>

#include "fixture.h"
#include "picture/clipboard.h"
#include "picture/picture.h"
#include "picture_testing.h"
#include "platform/exceptions.h"
#include "tools/metafiles/valid_set.h"
#include "ui/gdi.h"

namespace {
constexpr uint32_t kBackground = Rgb(1, 2, 3);

// The share of pixels the drawing changed, in percent.
int DrawnPercent(const std::vector<uint32_t>& pixels) {
    const auto drawn = std::count_if(pixels.begin(), pixels.end(), [](uint32_t p) { return p != kBackground; });
    return int(100 * drawn / std::max<ptrdiff_t>(1, ptrdiff_t(pixels.size())));
}
}  // namespace

TEST_CASE("valid metafiles: each plays, copies and saves") {
    TestApplication();
    TempFolder folder;
    const std::vector<metafiles::File> set = metafiles::ValidSet();
    REQUIRE_FALSE(set.empty());
    for (const metafiles::File& file : set) {
        CAPTURE(file.name);
        folder.Write(file.name, file.bytes);
        TPicture picture;
        REQUIRE_NOTHROW(picture.LoadFile(folder.File(file.name)));
        CHECK(std::abs(picture.Width() - metafiles::kWidth) <= 2);
        CHECK(std::abs(picture.Height() - metafiles::kHeight) <= 2);
        CHECK(DrawnPercent(Render(*picture.Graphic(), picture.Width(), picture.Height())) > 50);
        CHECK(DrawnPercent(Render(*picture.Graphic(), 48, 36)) > 50);
        Clipboard().Assign(&picture);
        CHECK(IsClipboardFormatAvailable(CF_ENHMETAFILE));
        CHECK_NOTHROW(picture.SaveFile(folder.File("saved.wmf")));
        CHECK_MESSAGE(HeapValidate(GetProcessHeap(), 0, nullptr), "the process heap is damaged");
    }
}

TEST_CASE("valid metafiles: text in Symbol finds its glyphs") {
    TestApplication();
    MemoryDC dc;
    Font symbol(CreateFontA(-40, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Symbol"));
    SelectGuard keep(dc.get(), symbol.get());
    WORD glyphs[5] = {};
    REQUIRE(GetGlyphIndicesA(dc.get(), "abgdp", 5, glyphs, GGI_MARK_NONEXISTING_GLYPHS) == 5);
    for (WORD glyph : glyphs) CHECK(glyph != 0xFFFF);
}
