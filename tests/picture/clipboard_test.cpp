// Copying pictures to the real Windows clipboard.
#include "testing.h"

#include <memory>

#include "fixture.h"
#include "picture/bitmap.h"
#include "picture/clipboard.h"
#include "picture/picture.h"
#include "picture_testing.h"
#include "platform/exceptions.h"
#include "platform/stream.h"

namespace {

// The clipboard's bitmap as 32-bit pixels, rows top-down.
std::vector<uint32_t> ClipboardPixels(int w, int h) {
    std::vector<uint32_t> pixels(size_t(w) * size_t(h));
    REQUIRE(OpenClipboard(nullptr));
    auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    if (bitmap) {
        BITMAPINFO bi{};
        bi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        WindowDC screen(nullptr);
        GetDIBits(screen.get(), bitmap, 0, UINT(h), pixels.data(), &bi, DIB_RGB_COLORS);
    }
    CloseClipboard();
    for (uint32_t& p : pixels) p &= 0xFFFFFF;
    return pixels;
}

std::unique_ptr<TPicture> PictureOf(const BmpFields& fields) {
    auto picture = std::make_unique<TPicture>();
    TBitmap bitmap;
    TMemoryStream stream(BuildBmp(fields));
    bitmap.LoadStream(stream);
    picture->SetGraphic(&bitmap);
    return picture;
}
}  // namespace

TEST_CASE("a bitmap goes on the clipboard as CF_BITMAP with the same pixels") {
    TestApplication();
    BmpFields fields;
    fields.width = 3;
    fields.height = 2;
    fields.pixels = {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, /* top */ 10, 20, 30, 255, 255, 255, 0, 0, 0, 0, 0, 0};
    auto picture = PictureOf(fields);
    PutClipboardText();
    Clipboard().Assign(picture.get());
    CHECK(Clipboard().OpenCount() == 0);
    CHECK(IsClipboardFormatAvailable(CF_BITMAP));
    CHECK_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    CHECK(ClipboardPixels(3, 2) == std::vector<uint32_t>{Rgb(30, 20, 10), Rgb(255, 255, 255), 0, Rgb(0, 0, 255),
                                                         Rgb(0, 255, 0), Rgb(255, 0, 0)});
    CHECK_FALSE(IsClipboardFormatAvailable(CF_PALETTE));

    SUBCASE("a paletted bitmap brings its palette") {
        BmpFields eight;
        eight.bits = 8;
        eight.clrUsed = 2;
        eight.colours = {0, 0, 255, 0, 0, 255, 0, 0};
        eight.pixels = {0, 1, 0, 0, 1, 0, 0, 0};
        auto paletted = PictureOf(eight);
        Clipboard().Assign(paletted.get());
        CHECK(IsClipboardFormatAvailable(CF_BITMAP));
        CHECK(IsClipboardFormatAvailable(CF_PALETTE));
        CHECK(ClipboardPixels(2, 2) == std::vector<uint32_t>{Rgb(0, 255, 0), Rgb(255, 0, 0), Rgb(255, 0, 0),
                                                             Rgb(0, 255, 0)});
    }
}

TEST_CASE("the clipboard is emptied first, also when there is nothing to put or putting fails") {
    TestApplication();
    TPicture empty;
    PutClipboardText();
    Clipboard().Assign(&empty);
    CHECK(ClipboardFormatCount() == 0);

    TTestGraphic refusing;
    refusing.width = refusing.height = 1;
    PutClipboardText();
    CHECK_THROWS_WITH_AS(Clipboard().Assign(&refusing), "Clipboard does not support test pictures",
                         EInvalidGraphicOperation);
    CHECK(Clipboard().OpenCount() == 0);
    CHECK(ClipboardFormatCount() == 0);

    TObject foreign;
    CHECK_THROWS_WITH_AS(Clipboard().Assign(&foreign), "Cannot assign a TObject to a TClipboard",
                         EConvertError);
}

TEST_CASE("nested opens count, and one opening is emptied only once") {
    TestApplication();
    BmpFields fields;
    fields.pixels.assign(16, 0);
    auto picture = PictureOf(fields);
    TTestGraphic text;
    text.width = text.height = 1;
    text.clipboardText = true;
    PutClipboardText();
    Clipboard().Open();
    Clipboard().Open();
    CHECK(Clipboard().OpenCount() == 2);
    Clipboard().Assign(picture.get());
    Clipboard().Assign(&text);
    Clipboard().Close();
    CHECK(Clipboard().OpenCount() == 1);
    Clipboard().Close();
    CHECK(Clipboard().OpenCount() == 0);
    CHECK(IsClipboardFormatAvailable(CF_BITMAP));
    REQUIRE(OpenClipboard(nullptr));
    auto data = static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)));
    CHECK(std::string(data ? data : "") == "test");
    GlobalUnlock(GetClipboardData(CF_TEXT));
    CloseClipboard();
    Clipboard().Close();
    CHECK(Clipboard().OpenCount() == 0);
}

// A two-colour picture keeps its colours; black and white stays monochrome.
TEST_CASE("a 1-bit bitmap goes on the clipboard in its own colours") {
    TestApplication();
    struct Case {
        std::vector<uint8_t> colours;
        uint32_t first, second;
        bool monochrome;
    };
    const Case cases[] = {
        {{0, 0, 0, 0, 255, 255, 255, 0}, Rgb(0, 0, 0), Rgb(255, 255, 255), true},
        {{255, 255, 255, 0, 0, 0, 0, 0}, Rgb(255, 255, 255), Rgb(0, 0, 0), true},
        {{0, 0, 200, 0, 0, 220, 255, 0}, Rgb(200, 0, 0), Rgb(255, 220, 0), false},
    };
    for (const Case& c : cases) {
        CAPTURE(c.first);
        BmpFields two;
        two.width = 2;
        two.height = 1;
        two.bits = 1;
        two.colours = c.colours;
        two.pixels = {0x40, 0, 0, 0};
        auto picture = PictureOf(two);
        Clipboard().Assign(picture.get());
        CHECK(ClipboardPixels(2, 1) == std::vector<uint32_t>{c.first, c.second});
        REQUIRE(OpenClipboard(nullptr));
        BITMAP bm{};
        GetObject(GetClipboardData(CF_BITMAP), sizeof bm, &bm);
        CloseClipboard();
        CHECK((bm.bmBitsPixel == 1) == c.monochrome);
    }
}
