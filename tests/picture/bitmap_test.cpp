// Bitmap pictures through the system: every header kind and depth drawn and
// read back, run-length files decoded by the system, writing back, and the
// pixel-store operations the other kinds rely on.
#include "testing.h"

#include <cstring>

#include "fixture.h"
#include "picture/bitmap.h"
#include "picture/picture.h"
#include "picture_testing.h"
#include "platform/exceptions.h"
#include "platform/stream.h"

namespace {
// Every test picture is 2 x 2: red, green on top; blue, white below.
const uint32_t kTopLeft = Rgb(255, 0, 0), kTopRight = Rgb(0, 255, 0);
const uint32_t kBottomLeft = Rgb(0, 0, 255), kBottomRight = Rgb(255, 255, 255);
const std::vector<uint32_t> kExpected = {kTopLeft, kTopRight, kBottomLeft, kBottomRight};

// Index colours 0..3: red, green, blue, white (blue, green, red, 0 on disk).
const std::vector<uint8_t> kFourColours = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};

BmpFields Fields(uint16_t bits, std::vector<uint8_t> pixels) {
    BmpFields s;
    s.bits = bits;
    s.pixels = std::move(pixels);
    return s;
}

std::vector<uint8_t> Bytes16(std::vector<uint16_t> words) {
    std::vector<uint8_t> out;
    for (uint16_t w : words) {
        out.push_back(uint8_t(w));
        out.push_back(uint8_t(w >> 8));
    }
    return out;
}

// Bottom-up rows of 24-bit pixels.
std::vector<uint8_t> Pixels24() {
    return {255, 0, 0, 255, 255, 255, 0, 0, /* bottom */ 0, 0, 255, 0, 255, 0, 0, 0 /* top */};
}

// A bitmap read from the bytes of a file.
struct Loaded : TBitmap {
    explicit Loaded(const std::vector<uint8_t>& file) {
        TMemoryStream stream(file);
        LoadStream(stream);
    }
};

std::vector<uint8_t> Save(TBitmap& bitmap) {
    TMemoryStream out;
    bitmap.SaveStream(out);
    return out.Bytes();
}

uint32_t U32At(const std::vector<uint8_t>& b, size_t at) {
    uint32_t v = 0;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

uint16_t U16At(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

BmpFields Rle8() {
    BmpFields s;
    s.width = 4;
    s.bits = 8;
    s.compression = 1;
    s.clrUsed = 4;
    s.colours = {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};  // black, red, green, blue
    s.pixels = {4, 1, 0, 0, /* top: */ 2, 2, 2, 3, 0, 1};
    s.sizeImage = uint32_t(s.pixels.size());
    return s;
}
}  // namespace

TEST_CASE("every header kind and depth loads through the system with the right pixels") {
    TestApplication();
    struct Case {
        const char* name;
        BmpFields fields;
    };
    std::vector<Case> cases;
    cases.push_back({"24-bit", Fields(24, Pixels24())});
    cases.push_back({"32-bit", Fields(32, {255, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 0, 0, 255, 0, 0})});
    {
        // Masks in red, green, blue byte order: the system must honour them.
        BmpFields s = Fields(32, {0, 0, 255, 0, 255, 255, 255, 0, 255, 0, 0, 0, 0, 255, 0, 0});
        s.compression = 3;
        s.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
        cases.push_back({"32-bit bit fields", s});
    }
    cases.push_back({"16-bit 5-5-5", Fields(16, Bytes16({0x001F, 0x7FFF, 0x7C00, 0x03E0}))});
    {
        BmpFields s = Fields(16, Bytes16({0x001F, 0xFFFF, 0xF800, 0x07E0}));
        s.compression = 3;
        s.masks = {0xF800, 0x07E0, 0x001F};
        cases.push_back({"16-bit 5-6-5 masks after the header", s});
        s.headerSize = 108;
        cases.push_back({"version-4 header, masks inside", s});
    }
    {
        BmpFields s = Fields(24, Pixels24());
        s.headerSize = 124;
        cases.push_back({"version-5 header", s});
    }
    {
        BmpFields s = Fields(8, {2, 3, 0, 0, 0, 1, 0, 0});
        s.clrUsed = 4;
        s.colours = kFourColours;
        cases.push_back({"8-bit", s});
        s.bits = 4;
        s.pixels = {0x23, 0, 0, 0, 0x01, 0, 0, 0};
        cases.push_back({"4-bit", s});
    }
    {
        BmpFields s = Fields(8, {2, 3, 0, 0, 0, 1, 0, 0});
        s.headerSize = 12;
        s.colours.assign(256 * 3, 0);
        const uint8_t entries[] = {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255};
        std::memcpy(s.colours.data(), entries, sizeof entries);
        cases.push_back({"OS/2 core header", s});
    }
    {
        BmpFields s = Fields(24, {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0});
        s.height = -2;
        cases.push_back({"top-down", s});
    }
    for (Case& c : cases) {
        CAPTURE(c.name);
        Loaded bitmap(BuildBmp(c.fields));
        CHECK(bitmap.Width() == 2);
        CHECK(bitmap.Height() == 2);
        CHECK(Render(bitmap, 2, 2) == kExpected);
    }

    SUBCASE("1-bit: two colours") {
        BmpFields s = Fields(1, {0x80, 0, 0, 0, 0x40, 0, 0, 0});
        s.colours = {0, 0, 255, 0, 255, 0, 0, 0};  // red, blue
        Loaded bitmap(BuildBmp(s));
        CHECK(bitmap.PixelLayout() == TPixelLayout::pf1Bit);
        CHECK(Render(bitmap, 2, 2) == std::vector<uint32_t>{kTopLeft, kBottomLeft, kBottomLeft, kTopLeft});
    }
}

TEST_CASE("pixel layouts are read from the description") {
    TestApplication();
    CHECK(Loaded(BuildBmp(Fields(24, Pixels24()))).PixelLayout() == TPixelLayout::pf24Bit);
    CHECK(Loaded(BuildBmp(Fields(16, Bytes16({0, 0, 0, 0})))).PixelLayout() == TPixelLayout::pf15Bit);
    BmpFields s = Fields(16, Bytes16({0, 0, 0, 0}));
    s.compression = 3;
    s.masks = {0xF800, 0x07E0, 0x001F};
    CHECK(Loaded(BuildBmp(s)).PixelLayout() == TPixelLayout::pf16Bit);
    s.masks = {0x7C00, 0x03E0, 0x001F};
    CHECK(Loaded(BuildBmp(s)).PixelLayout() == TPixelLayout::pfCustom);
    CHECK(Loaded(BuildBmp(Rle8())).PixelLayout() == TPixelLayout::pfDevice);
}

TEST_CASE("run-length files are decoded by the system and written back uncompressed") {
    TestApplication();
    const uint32_t red = Rgb(255, 0, 0), green = Rgb(0, 255, 0), blue = Rgb(0, 0, 255);
    Loaded rle8(BuildBmp(Rle8()));
    CHECK(rle8.HandleKind() == THandleKind::bmDDB);
    CHECK(Render(rle8, 4, 2) == std::vector<uint32_t>{green, green, blue, blue, red, red, red, red});

    BmpFields s4 = Rle8();
    s4.bits = 4;
    s4.compression = 2;
    s4.pixels = {4, 0x12, 0, 0, /* top, absolute: */ 0, 4, 0x33, 0x11, 0, 1};
    s4.sizeImage = uint32_t(s4.pixels.size());
    Loaded rle4(BuildBmp(s4));
    CHECK(Render(rle4, 4, 2) == std::vector<uint32_t>{blue, blue, red, red, red, green, red, green});

    const std::vector<uint8_t> written = Save(rle8);
    REQUIRE(written.size() > 54);
    CHECK(U32At(written, 14) == 40);
    CHECK(U32At(written, 30) == 0);  // no compression
    CHECK(U16At(written, 28) == ScreenBitsPerPixel());
    Loaded again(written);
    CHECK(Render(again, 4, 2) == Render(rle8, 4, 2));
}

TEST_CASE("writing back keeps OS/2 and top-down files, and plain files byte for byte") {
    TestApplication();
    BmpFields os2 = Fields(8, {2, 3, 0, 0, 0, 1, 0, 0});
    os2.headerSize = 12;
    os2.colours.assign(256 * 3, 7);
    BmpFields topDown = Fields(24, Pixels24());
    topDown.height = -2;
    topDown.sizeImage = 16;
    BmpFields plain24 = Fields(24, Pixels24());
    plain24.sizeImage = 16;
    BmpFields plain8 = Fields(8, {2, 3, 0, 0, 0, 1, 0, 0});
    plain8.sizeImage = 8;
    plain8.clrUsed = 256;
    plain8.colours.assign(256 * 4, 0);
    std::memcpy(plain8.colours.data(), kFourColours.data(), kFourColours.size());
    BmpFields fields16 = Fields(16, Bytes16({0x001F, 0xFFFF, 0xF800, 0x07E0}));
    fields16.compression = 3;
    fields16.sizeImage = 8;
    fields16.masks = {0xF800, 0x07E0, 0x001F};
    for (const BmpFields& s : {os2, topDown, plain24, plain8, fields16}) {
        CAPTURE(s.headerSize);
        CAPTURE(s.bits);
        const std::vector<uint8_t> file = BuildBmp(s);
        Loaded bitmap(file);
        CHECK(Save(bitmap) == file);
    }

    SUBCASE("a version-5 header is written as a 40-byte one") {
        BmpFields v5 = Fields(24, Pixels24());
        v5.headerSize = 124;
        Loaded bitmap(BuildBmp(v5));
        const std::vector<uint8_t> written = Save(bitmap);
        CHECK(U32At(written, 10) == 54);
        CHECK(U32At(written, 14) == 40);
        CHECK(std::vector<uint8_t>(written.begin() + 54, written.end()) == Pixels24());
    }
    SUBCASE("bytes past the colour table are taken as pixels, whatever the offset field says") {
        std::vector<uint8_t> file = BuildBmp(Fields(24, Pixels24()));
        file[10] = 200;
        Loaded bitmap(file);
        CHECK(Render(bitmap, 2, 2) == kExpected);
    }
    SUBCASE("pixels missing from a short file stay 0") {
        std::vector<uint8_t> file = BuildBmp(Fields(24, Pixels24()));
        file.resize(file.size() - 8);  // the top row is gone
        Loaded bitmap(file);
        CHECK(Render(bitmap, 2, 2) == std::vector<uint32_t>{0, 0, kBottomLeft, kBottomRight});
    }
}

TEST_CASE("row addresses: bounds, direction, and pixels written through them") {
    TestApplication();
    TBitmap one;
    one.SetPixelLayout(TPixelLayout::pf24Bit);
    one.SetSize(2, 1);
    CHECK(one.RowAddress(0) != nullptr);
    CHECK_NOTHROW(one.RowAddress(1));
    CHECK_THROWS_WITH_AS(one.RowAddress(2), "Scan line index out of range", EInvalidGraphicOperation);
    CHECK_THROWS_WITH_AS(one.RowAddress(-1), "Scan line index out of range", EInvalidGraphicOperation);

    Loaded bottomUp(BuildBmp(Fields(24, Pixels24())));
    CHECK(bottomUp.RowAddress(0) - bottomUp.RowAddress(1) == 8);
    BmpFields s = Fields(24, Pixels24());
    s.height = -2;
    Loaded topDown(BuildBmp(s));
    CHECK(topDown.RowAddress(1) - topDown.RowAddress(0) == 8);

    // Blue, green, red in memory: the top-left pixel becomes black.
    std::memset(bottomUp.RowAddress(0), 0, 3);
    bottomUp.Changed(&bottomUp);
    CHECK(Render(bottomUp, 2, 2)[0] == 0);

    SUBCASE("a device-dependent image gets a DIB section first") {
        Loaded rle(BuildBmp(Rle8()));
        uint8_t* top = rle.RowAddress(0);
        REQUIRE(top);
        CHECK(rle.HandleKind() == THandleKind::bmDIB);
        std::memset(top, 0, 4 * (ScreenBitsPerPixel() / 8));
        CHECK(Render(rle, 4, 2)[0] == 0);
    }
}

TEST_CASE("copies share one image until one of them changes") {
    TestApplication();
    Loaded original(BuildBmp(Fields(24, Pixels24())));
    TBitmap copy;
    copy.Assign(&original);
    CHECK(copy.Equals(original));
    std::memset(copy.RowAddress(0), 0, 6);
    CHECK(Render(original, 2, 2) == kExpected);
    CHECK(Render(copy, 2, 2)[0] == 0);
    CHECK_FALSE(copy.Equals(original));
    copy.Assign(nullptr);
    CHECK(copy.IsEmpty());
    CHECK(Render(original, 2, 2) == kExpected);
}

TEST_CASE("resizing keeps the old pixels at the top left and the layout") {
    TestApplication();
    BmpFields s = Fields(8, {2, 3, 0, 0, 0, 1, 0, 0});
    s.clrUsed = 4;
    s.colours = kFourColours;
    Loaded bitmap(BuildBmp(s));
    int changes = 0;
    bitmap.OnChange = [&](TObject*) { ++changes; };
    bitmap.SetSize(3, 3);
    CHECK(changes == 1);
    CHECK(bitmap.PixelLayout() == TPixelLayout::pf8Bit);
    const uint32_t white = Rgb(255, 255, 255);
    CHECK(Render(bitmap, 3, 3) ==
          std::vector<uint32_t>{kTopLeft, kTopRight, white, kBottomLeft, kBottomRight, white, white, white, white});
    bitmap.SetWidth(3);
    CHECK(changes == 1);
    bitmap.SetHeight(1);
    CHECK(Render(bitmap, 3, 1) == std::vector<uint32_t>{kTopLeft, kTopRight, white});
}

TEST_CASE("setting the pixel layout converts the pixels; an empty bitmap keeps it for later") {
    TestApplication();
    Loaded bitmap(BuildBmp(Fields(24, Pixels24())));
    bitmap.SetPixelLayout(TPixelLayout::pf16Bit);
    CHECK(bitmap.PixelLayout() == TPixelLayout::pf16Bit);
    const uint32_t top = Render(bitmap, 2, 2)[0];
    CHECK((top >> 16) > 240);
    CHECK((top & 0xFFFF) < 8);
    CHECK_THROWS_WITH_AS(bitmap.SetPixelLayout(TPixelLayout::pfCustom), "Invalid pixel format", EInvalidGraphic);
    bitmap.SetPixelLayout(TPixelLayout::pfDevice);
    CHECK(bitmap.HandleKind() == THandleKind::bmDDB);
    bitmap.SetHandleKind(THandleKind::bmDIB);
    CHECK(bitmap.PixelLayout() == TPixelLayout::pf16Bit);

    TBitmap decoded;
    decoded.SetPixelLayout(TPixelLayout::pf8Bit);
    CHECK(decoded.IsEmpty());
    decoded.SetSize(3, 2);
    CHECK(decoded.PixelLayout() == TPixelLayout::pf8Bit);
    CHECK(decoded.Palette() != nullptr);
    CHECK(decoded.RowAddress(0) - decoded.RowAddress(1) == 4);
}

TEST_CASE("a new palette becomes the colour table of an 8-bit image") {
    TestApplication();
    TBitmap bitmap;
    bitmap.SetPixelLayout(TPixelLayout::pf8Bit);
    bitmap.SetSize(2, 1);
    std::vector<RGBQUAD> grey;
    for (int i = 0; i < 4; ++i) grey.push_back(RGBQUAD{BYTE(i * 80), BYTE(i * 80), BYTE(i * 80), 0});
    bitmap.SetPaletteModified(false);
    bitmap.SetPalette(PaletteFromColours(grey));
    CHECK(bitmap.PaletteModified());
    uint8_t* row = bitmap.RowAddress(0);
    row[0] = 3;
    row[1] = 1;
    bitmap.Changed(&bitmap);
    CHECK(Render(bitmap, 2, 1) == std::vector<uint32_t>{Rgb(240, 240, 240), Rgb(80, 80, 80)});
    const std::vector<uint8_t> written = Save(bitmap);
    CHECK(U32At(written, 46) == 4);  // colours used
}

TEST_CASE("drawing stretches into the rectangle, and a transparent bitmap keeps the background") {
    TestApplication();
    Loaded bitmap(BuildBmp(Fields(24, Pixels24())));
    const std::vector<uint32_t> big = Render(bitmap, 4, 4);
    CHECK(big[0] == kTopLeft);
    CHECK(big[1] == kTopLeft);
    CHECK(big[3] == kTopRight);
    CHECK(big[15] == kBottomRight);
    CHECK(big[12] == kBottomLeft);

    bitmap.SetTransparent(true);  // the bottom-left colour, blue, is see-through
    const std::vector<uint32_t> seeThrough = Render(bitmap, 2, 2, RECT{0, 0, 2, 2}, RGB(9, 9, 9));
    CHECK(seeThrough == std::vector<uint32_t>{kTopLeft, kTopRight, Rgb(9, 9, 9), kBottomRight});
}

TEST_CASE("the stored form is a length and a BMP file") {
    TestApplication();
    const std::vector<uint8_t> file = BuildBmp(Fields(24, Pixels24()));
    Loaded bitmap(file);
    TMemoryStream stored;
    bitmap.WriteStoredData(stored);
    CHECK(U32At(stored.Bytes(), 0) == 70);
    CHECK(stored.Bytes().size() == 74);

    stored.SetPosition(0);
    TBitmap read;
    read.ReadStoredData(stored);
    CHECK(read.Equals(bitmap));

    TBitmap empty;
    TMemoryStream none;
    empty.WriteStoredData(none);
    CHECK(none.Bytes() == std::vector<uint8_t>{0, 0, 0, 0});

    std::vector<uint8_t> cut = stored.Bytes();
    cut.resize(40);
    TMemoryStream shortStream(cut);
    CHECK_THROWS_WITH_AS(read.ReadStoredData(shortStream), "Stream read error", EReadError);
    CHECK(read.Equals(bitmap));
}

TEST_CASE("palettes are derived from the colour table, and none for true colour") {
    TestApplication();
    Loaded bitmap(BuildBmp(Fields(24, Pixels24())));
    if (ScreenBitsPerPixel() >= 24) CHECK(bitmap.Palette() == nullptr);
    BmpFields s = Fields(8, {2, 3, 0, 0, 0, 1, 0, 0});
    s.clrUsed = 4;
    s.colours = kFourColours;
    Loaded paletted(BuildBmp(s));
    CHECK(paletted.PaletteModified());
    HPALETTE palette = paletted.Palette();
    REQUIRE(palette);
    CHECK(GetPaletteEntries(palette, 0, 0, nullptr) == 4);
}

namespace {
// A width x height picture of scattered pixels: bottom-up rows unless
// `topDown`; up to 8 bits per pixel with a full table of distinct colours.
BmpFields Distinct(int width, int height, uint16_t bits, bool topDown) {
    BmpFields s;
    s.width = width;
    s.height = topDown ? -height : height;
    s.bits = bits;
    const int stride = (width * bits + 31) / 32 * 4;
    s.pixels.resize(size_t(stride) * size_t(height));
    for (size_t i = 0; i < s.pixels.size(); ++i) s.pixels[i] = uint8_t(i * 7 + i / 251);
    if (bits <= 8) {
        s.clrUsed = 1u << bits;
        for (uint32_t i = 0; i < s.clrUsed; ++i)
            s.colours.insert(s.colours.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0});
    }
    return s;
}

// What the system's own colour-on-colour stretch of the bitmap gives.
std::vector<uint32_t> SystemShrunk(TBitmap& bitmap, int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    Bitmap target(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDC to, from;
    SelectGuard keepTarget(to.get(), target.get());
    SelectGuard keepSource(from.get(), bitmap.Handle());
    SetStretchBltMode(to.get(), COLORONCOLOR);
    StretchBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, bitmap.Width(), bitmap.Height(), SRCCOPY);
    GdiFlush();
    std::vector<uint32_t> out(size_t(width) * size_t(height));
    std::memcpy(out.data(), bits, out.size() * 4);
    for (uint32_t& p : out) p &= 0xFFFFFF;
    return out;
}
}  // namespace

TEST_CASE("a bitmap drawn smaller shows the very pixels the system's colour-on-colour stretch picks") {
    TestApplication();
    struct Case {
        uint16_t bits;
        bool topDown;
        int width, height;
    };
    for (const Case c : {Case{24, false, 11, 7}, Case{24, true, 11, 7}, Case{32, false, 5, 23}, Case{8, false, 13, 4},
                         Case{4, false, 6, 6}, Case{24, false, 37, 9}}) {
        CAPTURE(c.bits);
        CAPTURE(c.topDown);
        CAPTURE(c.width);
        Loaded bitmap(BuildBmp(Distinct(37, 23, c.bits, c.topDown)));
        CHECK(Render(bitmap, c.width, c.height) == SystemShrunk(bitmap, c.width, c.height));
    }
}
