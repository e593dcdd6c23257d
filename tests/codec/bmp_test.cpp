#include "picture/codec/bmp.h"

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <vector>

#include "picture/codec/errors.h"
#include "picture/codec/little_endian.h"
#include "testing.h"

using namespace codec::bmp;
using Bytes = std::vector<uint8_t>;

namespace {

using codec::le::Append16;
using codec::le::Append32;

uint32_t Get32(const Bytes& b, std::size_t at) {
    return uint32_t{b.at(at)} | uint32_t{b.at(at + 1)} << 8 | uint32_t{b.at(at + 2)} << 16 | uint32_t{b.at(at + 3)} << 24;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A file with an info header of headerSize bytes (fields past 40 are zero),
// then tables (masks, colours) and pixels; the offset field points at pixels.
Bytes InfoFile(const InfoHeader& h, uint32_t headerSize, const Bytes& tables, const Bytes& pixels) {
    const Bytes tail = tables + pixels;
    Bytes f{'B', 'M'};
    Append32(f, 14 + headerSize + static_cast<uint32_t>(tail.size()));
    Append32(f, 0);
    Append32(f, 14 + headerSize + static_cast<uint32_t>(tables.size()));
    Append32(f, headerSize);
    Append32(f, static_cast<uint32_t>(h.width));
    Append32(f, static_cast<uint32_t>(h.height));
    Append16(f, h.planes);
    Append16(f, h.bitCount);
    Append32(f, h.compression);
    Append32(f, h.sizeImage);
    Append32(f, static_cast<uint32_t>(h.xPelsPerMeter));
    Append32(f, static_cast<uint32_t>(h.yPelsPerMeter));
    Append32(f, h.clrUsed);
    Append32(f, h.clrImportant);
    f.resize(14 + headerSize, 0);
    f.insert(f.end(), tail.begin(), tail.end());
    return f;
}

Bytes CoreFile(uint16_t width, uint16_t height, uint16_t bits, const Bytes& colours, const Bytes& pixels) {
    const Bytes tail = colours + pixels;
    Bytes f{'B', 'M'};
    Append32(f, 26 + static_cast<uint32_t>(tail.size()));
    Append32(f, 0);
    Append32(f, 26 + static_cast<uint32_t>(colours.size()));
    Append32(f, 12);
    Append16(f, width);
    Append16(f, height);
    Append16(f, 1);
    Append16(f, bits);
    f.insert(f.end(), tail.begin(), tail.end());
    return f;
}

InfoHeader Header(int32_t width, int32_t height, uint16_t bits, uint32_t compression = kRgb) {
    InfoHeader h;
    h.width = width;
    h.height = height;
    h.bitCount = bits;
    h.compression = compression;
    return h;
}

// count 4-byte colour entries (b, g, r, 0) with recognisable values.
Bytes Palette(std::size_t count) {
    Bytes b;
    for (std::size_t i = 0; i < count; ++i) b.insert(b.end(), {uint8_t(i), uint8_t(i + 1), uint8_t(i + 2), 0});
    return b;
}

Bytes Prefix(const Bytes& b, std::size_t n) { return Bytes(b.begin(), b.begin() + static_cast<long>(n)); }

Layout Parse(const Bytes& f) {
    return ReadLayout(f.data(), f.size() < kMaxPrefix ? f.size() : kMaxPrefix, f.size());
}

void Rle(const InfoHeader& h, const Bytes& data) { CheckRle(h, data.data(), data.size()); }

Bytes RoundTrip(const Bytes& file) {
    const Layout layout = Parse(file);
    return Write(Describe(layout, file.data() + layout.pixelOffset, static_cast<std::size_t>(layout.pixelBytes)));
}

}  // namespace

TEST_CASE("stride pads rows to 32 bits in 64-bit arithmetic") {
    CHECK(Stride(1, 1) == 4);
    CHECK(Stride(32, 1) == 4);
    CHECK(Stride(33, 1) == 8);
    CHECK(Stride(3, 24) == 12);
    CHECK(Stride(5, 4) == 4);
    CHECK(Stride(0xFFFFFFFFu, 32) == 0x3FFFFFFFCull);
}

TEST_CASE("an empty stream is an empty picture") {
    const Layout layout = ReadLayout(nullptr, 0, 0);
    CHECK(layout.empty);
    CHECK(Write(Description{}).empty());
}

TEST_CASE("info headers of 40, 108 and 124 bytes") {
    const Bytes pixels(8, 0xAB);  // 2x2 at 24 bits
    for (uint32_t size : {40u, 108u, 124u}) {
        CAPTURE(size);
        const Layout l = Parse(InfoFile(Header(2, 2, 24), size, {}, pixels));
        CHECK_FALSE(l.os2);
        CHECK(l.header.size == size);
        CHECK(l.pixelOffset == 14 + size);
        CHECK(l.pixelBytes == 8);  // a short file: the rest of the section stays 0
        CHECK(l.imageBytes == 16);
        CHECK(l.header.sizeImage == 16);
        REQUIRE(l.info.size() == std::max<std::size_t>(size, 52));
        CHECK(Get32(l.info, 0) == size);
    }
}

TEST_CASE("OS/2 core header: built 40-byte header and widened colours") {
    const Bytes colours{1, 2, 3, 4, 5, 6};
    const Layout l = Parse(CoreFile(9, 3, 1, colours, Bytes(12, 0xFF)));
    CHECK(l.os2);
    CHECK(l.header.size == 40);
    CHECK(l.header.width == 9);
    CHECK(l.header.height == 3);
    CHECK(l.header.clrUsed == 2);
    CHECK(l.pixelOffset == 26 + 6);
    CHECK(l.pixelBytes == 12);
    REQUIRE(l.colours.size() == 2);
    CHECK(l.colours[1].blue == 4);
    CHECK(l.colours[1].red == 6);
    CHECK(l.colours[1].reserved == 0);
    const Bytes expected = [] {
        Bytes b;
        Append32(b, 40), Append32(b, 9), Append32(b, 3), Append16(b, 1), Append16(b, 1), Append32(b, 0), Append32(b, 12);
        Append32(b, 0), Append32(b, 0), Append32(b, 2), Append32(b, 0);
        return b + Bytes{1, 2, 3, 0, 4, 5, 6, 0} + Bytes(4, 0);
    }();
    CHECK(l.info == expected);
}

TEST_CASE("palette sizes follow the bit count unless the header gives a count") {
    struct Case { uint16_t bits; uint32_t clrUsed; std::size_t expected; };
    for (Case c : {Case{1, 0, 2}, Case{4, 0, 16}, Case{8, 0, 256}, Case{8, 3, 3}, Case{24, 0, 0},
                   Case{24, 5, 5}, Case{1, 256, 256}}) {
        CAPTURE(c.bits);
        CAPTURE(c.clrUsed);
        InfoHeader h = Header(4, 1, c.bits);
        h.clrUsed = c.clrUsed;
        const Layout l = Parse(InfoFile(h, 40, Palette(c.expected), Bytes(16, 0)));
        CHECK(l.colours.size() == c.expected);
        CHECK(l.header.clrUsed == c.expected);
        CHECK(Get32(l.info, 32) == c.expected);
        CHECK(l.pixelOffset == 54 + 4 * c.expected);
        CHECK(l.info.size() == std::max<std::size_t>(40 + 4 * c.expected, 52));
        if (c.expected > 1) CHECK(l.colours[1].green == 2);
    }
}

TEST_CASE("bit-field masks: after a 40-byte header, inside larger ones") {
    Bytes masks;
    Append32(masks, 0x7C00), Append32(masks, 0x03E0), Append32(masks, 0x001F);
    SUBCASE("40-byte header reads them after it") {
        const Layout l = Parse(InfoFile(Header(2, 1, 16, kBitFields), 40, masks, Bytes(4, 0)));
        CHECK(l.masks.red == 0x7C00);
        CHECK(l.masks.blue == 0x1F);
        CHECK(l.pixelOffset == 66);
        CHECK(l.info.size() == 52);
        CHECK(Get32(l.info, 44) == 0x03E0);
    }
    SUBCASE("version-4 header carries them and nothing extra is read") {
        Bytes file = InfoFile(Header(2, 1, 32, kBitFields), 108, {}, Bytes(8, 0));
        std::copy(masks.begin(), masks.end(), file.begin() + 54);
        const Layout l = Parse(file);
        CHECK(l.masks.green == 0x03E0);
        CHECK(l.pixelOffset == 14 + 108);
        CHECK(l.info.size() == 108);
    }
    SUBCASE("16 and 32 bits without bit fields have no masks") {
        for (uint16_t bits : {uint16_t{16}, uint16_t{32}}) {
            const Layout l = Parse(InfoFile(Header(2, 1, bits), 40, {}, Bytes(8, 0)));
            CHECK(l.masks.red == 0);
            CHECK(l.pixelOffset == 54);
        }
    }
}

TEST_CASE("pixel bytes: offset field ignored, size bounded by stream and section") {
    SUBCASE("the offset field is not used") {
        Bytes file = InfoFile(Header(1, 1, 24), 40, {}, Bytes{9, 9, 9, 9, 7, 7, 7, 7});
        file[10] = 58;  // claims the pixels start 4 bytes later
        const Layout l = Parse(file);
        CHECK(l.pixelOffset == 54);
        CHECK(l.pixelBytes == 4);
    }
    SUBCASE("a declared size above the section is cut to the section") {
        InfoHeader h = Header(1, 2, 24);
        h.sizeImage = 1000;
        const Layout l = Parse(InfoFile(h, 40, {}, Bytes(100, 1)));
        CHECK(l.pixelBytes == 8);
        CHECK(l.header.sizeImage == 8);
    }
    SUBCASE("a smaller declared size is honoured") {
        InfoHeader h = Header(1, 2, 24);
        h.sizeImage = 5;
        CHECK(Parse(InfoFile(h, 40, {}, Bytes(100, 1))).pixelBytes == 5);
    }
    SUBCASE("top-down keeps its sign and measures by magnitude") {
        const Layout l = Parse(InfoFile(Header(3, -5, 8), 40, Palette(256), Bytes(20, 0)));
        CHECK(l.header.height == -5);
        CHECK(l.imageBytes == 20);
        CHECK(l.pixelBytes == 20);
    }
    SUBCASE("only the bytes available count, even with a longer prefix buffer") {
        const Bytes file = InfoFile(Header(4, 4, 32), 40, {}, Bytes(64, 0));
        const Layout l = ReadLayout(file.data(), file.size(), 60);
        CHECK(l.pixelBytes == 6);
    }
}

TEST_CASE("truncation faults by region") {
    SUBCASE("info header, masks and colours") {
        InfoHeader h = Header(1, 1, 16, kBitFields);
        h.clrUsed = 2;
        Bytes masks;
        Append32(masks, 0xF800), Append32(masks, 0x07E0), Append32(masks, 0x1F);
        const Bytes file = InfoFile(h, 40, masks + Palette(2), Bytes(4, 0));
        for (std::size_t n = 1; n <= file.size(); ++n) {
            CAPTURE(n);
            const Bytes part = Prefix(file, n);
            if (n < 14 || (n >= 54 && n < 74))
                CHECK_THROWS_AS(Parse(part), codec::ShortRead);
            else if (n < 54)
                CHECK_THROWS_AS(Parse(part), codec::InvalidData);
            else
                CHECK(Parse(part).pixelBytes == n - 74);
        }
    }
    SUBCASE("core header and 3-byte colours") {
        const Bytes file = CoreFile(1, 1, 4, Bytes(48, 0x11), Bytes(4, 0));
        for (std::size_t n = 1; n <= file.size(); ++n) {
            CAPTURE(n);
            const Bytes part = Prefix(file, n);
            if (n < 14 || (n >= 26 && n < 74))
                CHECK_THROWS_AS(Parse(part), codec::ShortRead);
            else if (n < 26)
                CHECK_THROWS_AS(Parse(part), codec::InvalidData);
            else
                CHECK_NOTHROW(Parse(part));
        }
    }
    SUBCASE("bad signature is invalid, but only once the file header is whole") {
        const Bytes file = InfoFile(Header(1, 1, 24), 40, {}, Bytes(4, 0));
        Bytes bad = file;
        bad[0] = 'X';
        CHECK_THROWS_AS(Parse(Prefix(bad, 13)), codec::ShortRead);
        CHECK_THROWS_AS(Parse(bad), codec::InvalidData);
    }
}

TEST_CASE("header fields outside the bounds are invalid") {
    struct Case { const char* what; InfoHeader h; uint32_t size; };
    InfoHeader planes = Header(1, 1, 24);
    planes.planes = 2;
    InfoHeader colours = Header(1, 1, 8);
    colours.clrUsed = 257;
    const Case cases[] = {
        {"planes", planes, 40},
        {"header below 40", Header(1, 1, 24), 39},
        {"header too large for the buffer", Header(1, 1, 24), kMaxHeaderSize + 4},
        {"colour count", colours, 40},
        {"zero width", Header(0, 1, 24), 40},
        {"negative width", Header(-4, 1, 24), 40},
        {"zero height", Header(1, 0, 24), 40},
        {"most negative height", Header(1, std::numeric_limits<int32_t>::min(), 24), 40},
        {"stride times height past 32 bits", Header(0x7FFFFFFF, 0x7FFFFFFF, 32), 40},
        {"above the memory cap", Header(16385, -8192, 32), 40},
        {"RLE decoded size above the cap", Header(16385, 8192, 8, kRle8), 40},
        {"bit count 7", Header(1, 1, 7), 40},
        {"bit count 0", Header(1, 1, 0), 40},
        {"RLE8 at 4 bits", Header(1, 1, 4, kRle8), 40},
        {"RLE4 at 8 bits", Header(1, 1, 8, kRle4), 40},
        {"top-down RLE", Header(1, -1, 8, kRle8), 40},
        {"bit fields at 24 bits", Header(1, 1, 24, kBitFields), 40},
        {"bit fields with masks cut by a short header", Header(1, 1, 16, kBitFields), 44},
        {"compression 4", Header(1, 1, 24, 4), 40},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        CHECK_THROWS_AS(Parse(InfoFile(c.h, c.size, {}, Bytes(2048, 0))), codec::InvalidData);
    }
    CHECK_NOTHROW(Parse(InfoFile(Header(16384, -8192, 32), 40, {}, Bytes(4, 0))));
    CHECK_THROWS_AS(Parse(CoreFile(0, 1, 24, {}, Bytes(4, 0))), codec::InvalidData);
}

TEST_CASE("RLE8 walk") {
    const InfoHeader h = Header(4, 2, 8, kRle8);
    SUBCASE("runs, absolute runs with padding, delta and end codes stay inside") {
        CHECK_NOTHROW(Rle(h, {1, 7, 0, 3, 1, 2, 3, /*pad*/ 0, 0, 0, 0, 2, 1, 0, 2, 5, 0, 1}));
        CHECK_NOTHROW(Rle(h, {4, 1, 0, 0, 4, 2, 0, 0, 0, 1}));
        CHECK_NOTHROW(Rle(h, {0, 1, 200, 200}));  // nothing counts after the end code
    }
    SUBCASE("data that stops between commands is accepted") {
        CHECK_NOTHROW(Rle(h, {}));
        CHECK_NOTHROW(Rle(h, {3, 9}));
        CHECK_NOTHROW(Rle(h, {3, 9, 0}));
        CHECK_NOTHROW(Rle(h, {0, 3, 1, 2, 3}));  // only the pad byte is missing
    }
    SUBCASE("writes outside the image") {
        CHECK_THROWS_AS(Rle(h, {5, 1}), codec::InvalidData);
        CHECK_THROWS_AS(Rle(h, {3, 1, 2, 1}), codec::InvalidData);
        CHECK_THROWS_AS(Rle(h, {0, 5, 1, 2, 3, 4, 5, 0}), codec::InvalidData);
        CHECK_THROWS_AS(Rle(h, {0, 0, 0, 0, 1, 1}), codec::InvalidData);   // a row past the top
        CHECK_THROWS_AS(Rle(h, {0, 0, 0, 0, 0, 0}), codec::InvalidData);   // end of line past the top
        CHECK_THROWS_AS(Rle(h, {2, 1, 0, 2, 3, 0}), codec::InvalidData);   // delta past the right edge
        CHECK_THROWS_AS(Rle(h, {0, 2, 0, 3}), codec::InvalidData);         // delta past the top
        CHECK_NOTHROW(Rle(h, {0, 2, 4, 2, 0, 1}));                         // delta to the far corner
    }
    SUBCASE("commands that need bytes past the data") {
        CHECK_THROWS_AS(Rle(h, {0, 2, 1}), codec::InvalidData);
        CHECK_THROWS_AS(Rle(h, {0, 4, 1, 2, 3}), codec::InvalidData);
    }
    SUBCASE("only RLE headers of a sane size are walked") {
        CHECK_THROWS_AS(Rle(Header(4, 2, 8), {0, 1}), codec::InvalidData);
        CHECK_THROWS_AS(Rle(Header(4, -2, 8, kRle8), {0, 1}), codec::InvalidData);
    }
}

TEST_CASE("RLE4 walk counts pixels, not bytes") {
    const InfoHeader h = Header(8, 1, 4, kRle4);
    CHECK_NOTHROW(Rle(h, {8, 0x12, 0, 1}));
    CHECK_NOTHROW(Rle(h, {0, 5, 0x12, 0x34, 0x50, 0, 3, 0x11, 0, 1}));  // 3 bytes padded to 4
    CHECK_NOTHROW(Rle(h, {0, 3, 0x12, 0x30, 5, 0x11, 0, 1}));           // 2 bytes, no pad
    CHECK_THROWS_AS(Rle(h, {0, 9, 0x12, 0x34, 0x56, 0x78, 0x90, 0}), codec::InvalidData);
    CHECK_THROWS_AS(Rle(h, {0, 5, 0x12, 0x34}), codec::InvalidData);
    CHECK_THROWS_AS(Rle(h, {5, 0x12, 4, 0x12}), codec::InvalidData);
}

TEST_CASE("RLE runs may fill the row padding but no further") {
    // 37 pixels at 8 bits are stored in 40-byte rows; encoders write the
    // padding as a run of its own.
    const InfoHeader h8 = Header(37, 2, 8, kRle8);
    CHECK_NOTHROW(Rle(h8, {37, 21, 3, 0, 0, 0, 40, 0, 0, 1}));
    CHECK_THROWS_AS(Rle(h8, {37, 21, 4, 0}), codec::InvalidData);
    CHECK_THROWS_AS(Rle(h8, {0, 2, 41, 0}), codec::InvalidData);
    // 5 pixels at 4 bits take a 4-byte row: room for 8.
    const InfoHeader h4 = Header(5, 1, 4, kRle4);
    CHECK_NOTHROW(Rle(h4, {8, 0x12, 0, 1}));
    CHECK_THROWS_AS(Rle(h4, {9, 0x12}), codec::InvalidData);
}

TEST_CASE("RLE layout hands over only the bytes present") {
    InfoHeader h = Header(4, 2, 8, kRle8);
    h.sizeImage = 500;
    const Layout l = Parse(InfoFile(h, 40, Palette(256), Bytes{4, 1, 0, 1}));
    CHECK(l.IsRle());
    CHECK(l.pixelBytes == 4);
    CHECK(l.header.sizeImage == 4);
    CHECK(Get32(l.info, 20) == 4);
    CHECK_THROWS_AS(Describe(l, nullptr, 0), std::invalid_argument);
}

TEST_CASE("writing canonical files round-trips byte for byte") {
    SUBCASE("24 bits") {
        InfoHeader h = Header(3, 2, 24);
        h.sizeImage = 24;
        h.xPelsPerMeter = 2835;
        h.yPelsPerMeter = 2835;
        Bytes pixels;
        for (int i = 0; i < 24; ++i) pixels.push_back(static_cast<uint8_t>(i * 7));
        const Bytes file = InfoFile(h, 40, {}, pixels);
        CHECK(RoundTrip(file) == file);
    }
    SUBCASE("8 bits with a full colour table, top-down") {
        InfoHeader h = Header(5, -2, 8);
        h.sizeImage = 16;
        h.clrUsed = 256;
        h.clrImportant = 17;
        const Bytes file = InfoFile(h, 40, Palette(256), Bytes(16, 3));
        CHECK(RoundTrip(file) == file);
    }
    SUBCASE("OS/2 stays OS/2") {
        Bytes colours;
        for (int i = 0; i < 16 * 3; ++i) colours.push_back(static_cast<uint8_t>(i));
        const Bytes file = CoreFile(7, 3, 4, colours, Bytes(12, 0x5A));
        CHECK(RoundTrip(file) == file);
        const Bytes rgb = CoreFile(1, 2, 24, {}, Bytes{1, 2, 3, 0, 4, 5, 6, 0});
        CHECK(RoundTrip(rgb) == rgb);
    }
}

TEST_CASE("version-4 and version-5 headers are written back as 40 bytes with their masks") {
    for (uint32_t size : {108u, 124u}) {
        CAPTURE(size);
        Bytes file = InfoFile(Header(2, 1, 16, kBitFields), size, {}, Bytes{1, 2, 3, 4});
        Bytes masks;
        Append32(masks, 0x7C00), Append32(masks, 0x03E0), Append32(masks, 0x001F);
        std::copy(masks.begin(), masks.end(), file.begin() + 54);
        const Bytes out = RoundTrip(file);
        REQUIRE(out.size() == 14 + 40 + 12 + 4);
        CHECK(Get32(out, 2) == out.size());
        CHECK(Get32(out, 10) == 66);
        CHECK(Get32(out, 14) == 40);
        CHECK(Bytes(out.begin() + 54, out.begin() + 66) == masks);
        CHECK(Bytes(out.begin() + 66, out.end()) == Bytes{1, 2, 3, 4});
    }
}

TEST_CASE("writer fills zero masks, counts colours and refuses impossible pictures") {
    Description d;
    d.width = 1;
    d.height = 1;
    d.bitCount = 16;
    d.compression = kBitFields;
    d.pixels = Bytes(4, 0);
    const Bytes out16 = Write(d);
    CHECK(Get32(out16, 54) == 0xF800);
    CHECK(Get32(out16, 58) == 0x07E0);
    CHECK(Get32(out16, 62) == 0x001F);
    d.bitCount = 32;
    const Bytes out32 = Write(d);
    CHECK(Get32(out32, 54) == 0xFF0000);
    CHECK(Get32(out32, 62) == 0xFF);

    Description p;
    p.width = 1;
    p.height = 1;
    p.bitCount = 8;
    p.colours.resize(3);
    p.pixels = Bytes(4, 0);
    const Bytes out8 = Write(p);
    CHECK(Get32(out8, 46) == 3);                  // biClrUsed
    CHECK(Get32(out8, 10) == 14 + 40 + 12);       // offset after the 3 entries written
    CHECK(out8.size() == 14 + 40 + 12 + 4);
    p.os2 = true;
    const Bytes core = Write(p);                  // a core table always holds 2^bits entries
    CHECK(Get32(core, 10) == 14 + 12 + 3 * 256);
    p.height = -1;                                // a core header cannot say top-down
    CHECK(Get32(Write(p), 14) == 40);

    Description bad = p;
    bad.colours.clear();
    CHECK_THROWS_AS(Write(bad), std::invalid_argument);
    bad = p;
    bad.pixels.pop_back();
    CHECK_THROWS_AS(Write(bad), std::invalid_argument);
    bad = p;
    bad.bitCount = 24;
    bad.compression = kRle8;
    CHECK_THROWS_AS(Write(bad), std::invalid_argument);
}
