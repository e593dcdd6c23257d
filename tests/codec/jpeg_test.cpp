#include "picture/codec/jpeg.h"

#include <atomic>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "testing.h"

namespace {

using namespace codec::jpeg;
using Bytes = std::vector<uint8_t>;

struct Bgr {
    uint8_t blue, green, red;
};

// A picture painted by a function of (x, y), encoded with Encode.
template <class Paint>
Bytes Make(uint32_t width, uint32_t height, Paint paint, EncodeOptions options = {}) {
    std::vector<uint8_t> row(width * 3);
    Bytes out;
    Encode(
        [&](uint32_t y) {
            for (uint32_t x = 0; x < width; ++x) {
                const Bgr c = paint(x, y);
                row[x * 3] = c.blue;
                row[x * 3 + 1] = c.green;
                row[x * 3 + 2] = c.red;
            }
            return row.data();
        },
        width, height, options,
        [&](const uint8_t* bytes, std::size_t n) {
            out.insert(out.end(), bytes, bytes + n);
            return n;
        });
    return out;
}

Bytes Solid(uint32_t width, uint32_t height, Bgr colour, EncodeOptions options = {}) {
    return Make(width, height, [&](uint32_t, uint32_t) { return colour; }, options);
}

// A DIB-like target, top-down or bottom-up, with 4-byte aligned rows.
struct Picture : Target {
    explicit Picture(bool bottomUp = false) : bottomUp(bottomUp) {}
    void Size(const Layout& l) override {
        ++sized;
        layout = l;
        stride = (l.width * uint32_t(l.bits) / 8 + 3) / 4 * 4;
        pixels.assign(static_cast<std::size_t>(stride) * l.height, 0xAB);
    }
    uint8_t* Row(uint32_t y) override {
        REQUIRE(y < layout.height);
        if (failAtRow >= 0 && y == static_cast<uint32_t>(failAtRow)) throw std::runtime_error("row");
        const uint32_t stored = bottomUp ? layout.height - 1 - y : y;
        return pixels.data() + static_cast<std::size_t>(stored) * stride;
    }
    // Pixel (x, y) counted from the top.
    const uint8_t* At(uint32_t x, uint32_t y) const {
        const uint32_t stored = bottomUp ? layout.height - 1 - y : y;
        return pixels.data() + static_cast<std::size_t>(stored) * stride + x * uint32_t(layout.bits / 8);
    }
    bool bottomUp;
    int sized = 0;
    int failAtRow = -1;
    Layout layout;
    uint32_t stride = 0;
    std::vector<uint8_t> pixels;
};

bool Near(int value, int expected, int slack = 8) {
    return std::abs(value - expected) <= slack;
}

void CheckBgr(const uint8_t* p, Bgr c) {
    CHECK(Near(p[0], c.blue));
    CHECK(Near(p[1], c.green));
    CHECK(Near(p[2], c.red));
}

int CodeOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const codec::JpegError& e) {
        return e.code;
    }
    return -1;
}

void Append(Bytes& out, std::initializer_list<int> bytes) {
    for (int b : bytes) out.push_back(static_cast<uint8_t>(b));
}

// A grey progressive stream built by hand: a frame of the given size and the
// same DC scan repeated `scans` times (its data covers one block; a larger
// frame decodes the rest as missing data).
Bytes ManyScans(int scans, uint16_t width = 8, uint16_t height = 8) {
    Bytes out;
    Append(out, {0xFF, 0xD8});
    Append(out, {0xFF, 0xDB, 0x00, 0x43, 0x00});  // quantisation table 0, all ones
    out.insert(out.end(), 64, 1);
    Append(out, {0xFF, 0xC2, 0x00, 0x0B, 8, height >> 8, height & 0xFF, width >> 8, width & 0xFF,
                 1, 1, 0x11, 0});
    // DC table 0 with a single one-bit code for "difference 0".
    Append(out, {0xFF, 0xC4, 0x00, 0x14, 0x00, 1});
    out.insert(out.end(), 15, 0);
    out.push_back(0);
    for (int i = 0; i < scans; ++i) {
        Append(out, {0xFF, 0xDA, 0x00, 0x08, 1, 1, 0x00, 0, 0, 0x00});
        out.push_back(0x7F);  // the code "0", padded with ones
    }
    Append(out, {0xFF, 0xD9});
    return out;
}

}  // namespace

TEST_CASE("jpeg header reports size, colour space and scans") {
    const Bgr teal{160, 128, 0};
    const Bytes colour = Solid(40, 30, teal);
    Header h = ReadHeader(colour.data(), colour.size());
    CHECK(h.width == 40);
    CHECK(h.height == 30);
    CHECK_FALSE(h.grayscale);
    CHECK_FALSE(h.progressive);

    EncodeOptions gray;
    gray.gray = true;
    const Bytes grey = Solid(7, 3, teal, gray);
    h = ReadHeader(grey.data(), grey.size());
    CHECK(h.width == 7);
    CHECK(h.height == 3);
    CHECK(h.grayscale);
    CHECK_FALSE(h.progressive);

    EncodeOptions progressive;
    progressive.progressive = true;
    const Bytes multi = Solid(17, 9, teal, progressive);
    h = ReadHeader(multi.data(), multi.size());
    CHECK(h.width == 17);
    CHECK_FALSE(h.grayscale);
    CHECK(h.progressive);
}

TEST_CASE("jpeg decodes colour into BGR rows in top-down order") {
    // Top half red, bottom half blue: catches swapped channels and flipped rows.
    const Bgr red{0, 0, 230};
    const Bgr blue{220, 0, 0};
    const Bytes bytes = Make(47, 32, [&](uint32_t, uint32_t y) { return y < 16 ? red : blue; });
    for (bool bottomUp : {false, true}) {
        CAPTURE(bottomUp);
        Picture picture(bottomUp);
        Decode(bytes.data(), bytes.size(), {}, picture);
        CHECK(picture.sized == 1);
        CHECK(picture.layout.width == 47);
        CHECK(picture.layout.height == 32);
        CHECK(picture.layout.bits == 24);
        CHECK(picture.layout.palette.empty());
        CheckBgr(picture.At(0, 0), red);
        CheckBgr(picture.At(46, 7), red);
        CheckBgr(picture.At(5, 24), blue);
        CheckBgr(picture.At(46, 31), blue);
        // Row padding (141 bytes used of 144) is not written.
        CHECK(picture.pixels[47 * 3] == 0xAB);
    }

    EncodeOptions progressive;
    progressive.progressive = true;
    const Bytes multi = Solid(20, 20, Bgr{30, 200, 90}, progressive);
    Picture picture;
    Decode(multi.data(), multi.size(), {}, picture);
    CheckBgr(picture.At(10, 10), Bgr{30, 200, 90});
}

TEST_CASE("jpeg grey output is 8-bit with a grey palette of at most 236 entries") {
    const Bytes gradient = Make(
        256, 8, [](uint32_t x, uint32_t) { return Bgr{uint8_t(x), uint8_t(x), uint8_t(x)}; },
        [] {
            EncodeOptions o;
            o.gray = true;
            o.quality = 100;
            return o;
        }());
    const Bytes colour = Make(256, 8, [](uint32_t x, uint32_t) { return Bgr{uint8_t(x), 0, 255}; });
    DecodeOptions grayOutput;
    grayOutput.grayOutput = true;

    SUBCASE("a grey file") {
        Picture picture;
        Decode(gradient.data(), gradient.size(), {}, picture);
        CHECK(picture.layout.bits == 8);
        const auto& palette = picture.layout.palette;
        REQUIRE_FALSE(palette.empty());
        CHECK(palette.size() <= kPaletteColours);
        for (const Rgb& e : palette) {
            CHECK(e.red == e.green);
            CHECK(e.red == e.blue);
        }
        // Indices map back to about the painted grey.
        for (uint32_t x : {0u, 100u, 200u, 255u}) {
            const uint8_t index = *picture.At(x, 4);
            REQUIRE(index < palette.size());
            CHECK(Near(palette[index].red, int(x), 12));
        }
    }
    SUBCASE("a colour file decoded as grey") {
        Picture picture;
        Decode(colour.data(), colour.size(), grayOutput, picture);
        CHECK(picture.layout.bits == 8);
        CHECK(picture.layout.palette.size() <= kPaletteColours);
        for (const Rgb& e : picture.layout.palette) CHECK(e.red == e.blue);
    }
}

TEST_CASE("jpeg 8-bit colour output reads its palette in red, green, blue order") {
    const Bytes bytes = Solid(32, 32, Bgr{10, 20, 240});
    DecodeOptions eightBit;
    eightBit.eightBit = true;
    Picture picture;
    Decode(bytes.data(), bytes.size(), eightBit, picture);
    CHECK(picture.layout.bits == 8);
    const auto& palette = picture.layout.palette;
    CHECK(palette.size() <= kPaletteColours);
    const uint8_t index = *picture.At(16, 16);
    REQUIRE(index < palette.size());
    CHECK(Near(palette[index].red, 240, 24));
    CHECK(Near(palette[index].blue, 10, 24));
}

TEST_CASE("jpeg truncated in its scan data decodes the top part without error") {
    const Bgr white{255, 255, 255};
    // Noise in the lower part makes the scan data long enough to cut.
    const Bytes whole = Make(64, 256, [&](uint32_t x, uint32_t y) {
        if (y < 64) return white;
        const auto v = static_cast<uint8_t>((x * 7919u + y * 104729u) % 251u);
        return Bgr{v, uint8_t(255 - v), uint8_t(v * 3)};
    });
    const Bytes cut(whole.begin(), whole.begin() + whole.size() / 2);

    const Header h = ReadHeader(cut.data(), cut.size());
    CHECK(h.width == 64);
    CHECK(h.height == 256);
    Picture picture;
    CHECK_NOTHROW(Decode(cut.data(), cut.size(), {}, picture));
    CHECK(picture.layout.height == 256);
    CheckBgr(picture.At(0, 0), white);
    CheckBgr(picture.At(63, 40), white);

    // Cut inside the header: the fake end marker turns into a library error.
    const Bytes stub(whole.begin(), whole.begin() + 30);
    CHECK(CodeOf([&] { ReadHeader(stub.data(), stub.size()); }) > 0);
}

TEST_CASE("jpeg errors carry the library's codes") {
    SUBCASE("no bytes at all") {
        CHECK(CodeOf([] { ReadHeader(nullptr, 0); }) == kErrInputEmpty);
        const uint8_t none[1] = {0};
        Picture picture;
        CHECK(CodeOf([&] { Decode(none, 0, {}, picture); }) == kErrInputEmpty);
        CHECK(picture.sized == 0);
    }
    SUBCASE("a bitmap's bytes") {
        Bytes bmp = {'B', 'M', 0x46, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0, 40, 0, 0, 0};
        bmp.resize(0x46, 0);
        CHECK(CodeOf([&] { ReadHeader(bmp.data(), bmp.size()); }) == kErrNotJpeg);
        Picture picture;
        CHECK(CodeOf([&] { Decode(bmp.data(), bmp.size(), {}, picture); }) == kErrNotJpeg);
    }
    SUBCASE("a writer that stores too little") {
        for (std::size_t stored : {std::size_t(0), std::size_t(100)}) {
            int calls = 0;
            const int code = CodeOf([&] {
                std::vector<uint8_t> row(300 * 3, 0x40);
                Encode([&](uint32_t) { return row.data(); }, 300, 300, {},
                       [&](const uint8_t*, std::size_t n) {
                           ++calls;
                           return std::min(n, stored);
                       });
            });
            CHECK(code == kErrFileWrite);
            CHECK(calls == 1);
        }
    }
    SUBCASE("an empty picture cannot be encoded") {
        std::vector<uint8_t> row(3);
        CHECK(CodeOf([&] {
                  Encode([&](uint32_t) { return row.data(); }, 0, 0, {},
                         [](const uint8_t*, std::size_t n) { return n; });
              }) > 0);
    }
}

TEST_CASE("jpeg callers' exceptions pass through the library unchanged") {
    SUBCASE("from the writer, called inside the library") {
        std::vector<uint8_t> row(64 * 3, 0x80);
        CHECK_THROWS_AS(Encode([&](uint32_t) { return row.data(); }, 64, 64, {},
                               [](const uint8_t*, std::size_t) -> std::size_t {
                                   throw std::runtime_error("disk");
                               }),
                        std::runtime_error);
    }
    SUBCASE("from the target, keeping the rows decoded before") {
        const Bgr green{0, 200, 0};
        const Bytes bytes = Solid(16, 64, green);
        Picture picture;
        picture.failAtRow = 40;
        CHECK_THROWS_AS(Decode(bytes.data(), bytes.size(), {}, picture), std::runtime_error);
        CHECK(picture.sized == 1);
        CheckBgr(picture.At(3, 0), green);
        CheckBgr(picture.At(3, 39), green);
        CHECK(picture.At(3, 63)[0] == 0xAB);
    }
}

TEST_CASE("jpeg decoding ends with Stopped once its stop flag turns true") {
    std::atomic<bool> stop{false};
    DecodeOptions options;
    options.stop = &stop;
    SUBCASE("midway: the rows decoded before stay") {
        const Bgr green{0, 200, 0};
        const Bytes bytes = Solid(16, 64, green);
        // Turned on while the rows are read, as another thread would.
        struct Stopping : Picture {
            std::atomic<bool>* stop = nullptr;
            uint8_t* Row(uint32_t y) override {
                if (y == 32) *stop = true;
                return Picture::Row(y);
            }
        } picture;
        picture.stop = &stop;
        CHECK_THROWS_AS(Decode(bytes.data(), bytes.size(), options, picture), Stopped);
        CheckBgr(picture.At(3, 0), green);
        CHECK(picture.At(3, 63)[0] == 0xAB);
    }
    SUBCASE("a progressive file, while its scans are read before any row") {
        EncodeOptions progressive;
        progressive.progressive = true;
        const Bytes bytes = Solid(64, 64, Bgr{9, 9, 9}, progressive);
        stop = true;
        Picture picture;
        CHECK_THROWS_AS(Decode(bytes.data(), bytes.size(), options, picture), Stopped);
        CHECK(picture.sized == 0);
    }
}

TEST_CASE("jpeg scan limit") {
    SUBCASE("the hand-built stream is sound") {
        const Bytes one = ManyScans(1);
        const Header h = ReadHeader(one.data(), one.size());
        CHECK(h.width == 8);
        CHECK(h.grayscale);
        CHECK(h.progressive);
        Picture picture;
        Decode(one.data(), one.size(), {}, picture);
        CHECK(picture.layout.bits == 8);
    }
    SUBCASE("exactly the limit decodes") {
        const Bytes bytes = ManyScans(kMaxScans);
        Picture picture;
        CHECK_NOTHROW(Decode(bytes.data(), bytes.size(), {}, picture));
        CHECK(picture.sized == 1);
    }
    SUBCASE("one scan more fails before the target is sized") {
        const Bytes bytes = ManyScans(kMaxScans + 1);
        CHECK_NOTHROW(ReadHeader(bytes.data(), bytes.size()));
        Picture picture;
        CHECK(CodeOf([&] { Decode(bytes.data(), bytes.size(), {}, picture); }) == kErrTooManyScans);
        CHECK(picture.sized == 0);
    }
}

TEST_CASE("jpeg work memory is bounded for a huge frame in a few bytes") {
    // 65000 x 65000 progressive: its coefficients alone would take 8 GB.
    const Bytes bytes = ManyScans(1, 65000, 65000);
    const Header h = ReadHeader(bytes.data(), bytes.size());
    CHECK(h.width == 65000);
    Picture picture;
    CHECK(CodeOf([&] { Decode(bytes.data(), bytes.size(), {}, picture); }) == kErrNoBackingStore);
    CHECK(picture.sized == 0);
}

TEST_CASE("jpeg encode honours grey and quality") {
    const Bgr orange{0, 128, 255};
    EncodeOptions low;
    low.quality = 5;
    EncodeOptions high;
    high.quality = 100;
    auto noise = [](uint32_t x, uint32_t y) {
        const auto v = static_cast<uint8_t>((x * 31u + y * 17u) * 2654435761u >> 24);
        return Bgr{v, uint8_t(v / 2), uint8_t(255 - v)};
    };
    CHECK(Make(64, 64, noise, low).size() < Make(64, 64, noise, high).size());

    EncodeOptions gray;
    gray.gray = true;
    const Bytes grey = Solid(16, 16, orange, gray);
    Picture picture;
    Decode(grey.data(), grey.size(), {}, picture);
    REQUIRE(picture.layout.bits == 8);
    const Rgb e = picture.layout.palette.at(*picture.At(8, 8));
    // Luma of the orange: 0.299 R + 0.587 G + 0.114 B.
    CHECK(Near(e.red, 151, 10));
}

TEST_CASE("jpeg progress pacing") {
    using namespace std::chrono;
    const ProgressPacer::Clock::time_point t0{};
    auto at = [&](int ms) { return t0 + milliseconds(ms); };
    ProgressPacer::Passes half{50, 100, 0, 1};
    Progress report;

    SUBCASE("first call only starts the clock; then at most one report per 500 ms") {
        ProgressPacer pacer;
        CHECK_FALSE(pacer.Step(at(0), half, 10, 100, report));
        CHECK_FALSE(pacer.Step(at(499), half, 10, 100, report));
        REQUIRE(pacer.Step(at(500), half, 10, 100, report));
        CHECK(report.percent == 50);
        ProgressPacer::Passes more{60, 100, 0, 1};
        CHECK_FALSE(pacer.Step(at(900), more, 20, 100, report));
        CHECK(pacer.Step(at(1000), more, 20, 100, report));
    }
    SUBCASE("the same percent is not reported twice, nor a first 0") {
        ProgressPacer pacer;
        pacer.Step(at(0), half, 0, 0, report);
        CHECK_FALSE(pacer.Step(at(600), ProgressPacer::Passes{0, 100, 0, 1}, 0, 0, report));
        CHECK(pacer.Step(at(700), half, 0, 0, report));
        CHECK_FALSE(pacer.Step(at(1300), half, 0, 0, report));
    }
    SUBCASE("bands run from the last reported row and restart at a new pass") {
        ProgressPacer pacer;
        pacer.Step(at(0), half, 0, 100, report);
        REQUIRE(pacer.Step(at(500), ProgressPacer::Passes{10, 100, 0, 1}, 2, 100, report));
        CHECK(report.top == 0);
        CHECK(report.bottom == 2);
        CHECK_FALSE(report.redraw);  // 2 rows
        REQUIRE(pacer.Step(at(1000), ProgressPacer::Passes{40, 100, 0, 1}, 40, 100, report));
        CHECK(report.top == 2);
        CHECK(report.bottom == 40);
        CHECK(report.redraw);
        // The next pass starts at the top again: the band reaches the bottom.
        REQUIRE(pacer.Step(at(1500), ProgressPacer::Passes{10, 100, 1, 2}, 5, 100, report));
        CHECK(report.percent == 55);
        CHECK(report.top == 40);
        CHECK(report.bottom == 100);
        REQUIRE(pacer.Step(at(2000), ProgressPacer::Passes{30, 100, 1, 2}, 30, 100, report));
        CHECK(report.top == 5);
        CHECK(report.bottom == 30);
    }
    SUBCASE("encoding reports an empty band") {
        ProgressPacer pacer;
        pacer.Step(at(0), half, 0, 0, report);
        REQUIRE(pacer.Step(at(500), half, 0, 0, report));
        CHECK(report.top == 0);
        CHECK(report.bottom == 0);
        CHECK_FALSE(report.redraw);
    }
    SUBCASE("percent is truncated and guarded against broken counters") {
        CHECK(PercentDone({1, 3, 0, 1}) == 33);
        CHECK(PercentDone({2, 3, 1, 3}) == 55);
        CHECK(PercentDone({5, 0, 0, 1}) == 0);
        CHECK(PercentDone({5, 10, 0, 0}) == 0);
        CHECK(PercentDone({500, 10, 3, 2}) == 100);
        CHECK(PercentDone({-5, 10, 0, 1}) == 0);
    }
}
