// libFuzzer driver for the JPEG adapter: header reading, a bounded decode
// into rows that are each their own allocation (so the sanitizer sees any
// write past a row), and re-encoding of small 24-bit results.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "picture/codec/errors.h"
#include "picture/codec/jpeg.h"

namespace jpeg = codec::jpeg;
using Bytes = std::vector<uint8_t>;

namespace {

constexpr uint64_t kMaxDecodePixels = 2u << 20;
constexpr uint64_t kMaxEncodePixels = 64u << 10;

void Check(bool ok) {
    if (!ok) std::abort();
}

// Checks the adapter keeps to the target's contract.
struct Rows : jpeg::Target {
    explicit Rows(const jpeg::Header& h) : header(h) {}
    void Size(const jpeg::Layout& l) override {
        Check(!sized);
        Check(l.width == header.width && l.height == header.height);
        Check(l.bits == 24 || l.bits == 8);
        Check(l.bits == 8 ? !l.palette.empty() && l.palette.size() <= 256 : l.palette.empty());
        sized = true;
        layout = l;
        rows.assign(l.height, Bytes(size_t{l.width} * size_t(l.bits / 8)));
    }
    uint8_t* Row(uint32_t y) override {
        Check(sized && y < rows.size());
        if (y + 1 > next) next = y + 1;
        return rows[y].data();
    }
    jpeg::Header header;
    bool sized = false;
    uint32_t next = 0;
    jpeg::Layout layout;
    std::vector<Bytes> rows;
};

void ReEncode(const Rows& decoded) {
    const jpeg::Layout& l = decoded.layout;
    if (l.bits != 24 || static_cast<uint64_t>(l.width) * l.height > kMaxEncodePixels) return;
    Bytes out;
    jpeg::Encode([&](uint32_t y) { return decoded.rows[y].data(); }, l.width, l.height, {},
                 [&](const uint8_t* b, size_t n) {
                     out.insert(out.end(), b, b + n);
                     return n;
                 });
    const jpeg::Header back = jpeg::ReadHeader(out.data(), out.size());
    Check(back.width == l.width && back.height == l.height && !back.grayscale);
}

void Write(const std::string& dir, const char* name, const Bytes& b) {
    std::string path = dir + "/" + name;
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(b.data(), 1, b.size(), f);
        std::fclose(f);
    }
}

Bytes Seed(uint32_t w, uint32_t h, const jpeg::EncodeOptions& options) {
    Bytes row(static_cast<size_t>(w) * 3);
    Bytes out;
    jpeg::Encode(
        [&](uint32_t y) {
            for (uint32_t i = 0; i < row.size(); ++i) row[i] = static_cast<uint8_t>(i * 5 + y * 9);
            return row.data();
        },
        w, h, options,
        [&](const uint8_t* b, size_t n) {
            out.insert(out.end(), b, b + n);
            return n;
        });
    return out;
}

void WriteSeeds(const std::string& dir) {
    jpeg::EncodeOptions plain;
    jpeg::EncodeOptions gray;
    gray.gray = true;
    jpeg::EncodeOptions progressive;
    progressive.progressive = true;
    progressive.quality = 60;
    jpeg::EncodeOptions grayProgressive = progressive;
    grayProgressive.gray = true;
    Write(dir, "colour.jpg", Seed(33, 17, plain));
    Write(dir, "one.jpg", Seed(1, 1, plain));
    Write(dir, "grey.jpg", Seed(20, 12, gray));
    Write(dir, "progressive.jpg", Seed(24, 40, progressive));
    Write(dir, "grey-progressive.jpg", Seed(9, 9, grayProgressive));
    Bytes cut = Seed(64, 64, plain);
    cut.resize(cut.size() * 2 / 3);
    Write(dir, "truncated.jpg", cut);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (const char* dir = std::getenv("LUMENO_WRITE_SEEDS")) WriteSeeds(dir);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    jpeg::Header header;
    try {
        header = jpeg::ReadHeader(data, size);
    } catch (const codec::JpegError&) {
        return 0;
    }
    Check(header.width > 0 && header.height > 0);
    if (static_cast<uint64_t>(header.width) * header.height > kMaxDecodePixels) return 0;

    jpeg::DecodeOptions options;
    options.grayOutput = size % 3 == 1;
    options.eightBit = size % 3 == 2;
    options.progress = [](const jpeg::Progress& p) { Check(p.percent >= 0 && p.percent <= 100); };
    Rows rows(header);
    try {
        jpeg::Decode(data, size, options, rows);
    } catch (const codec::JpegError&) {
        return 0;
    }
    Check(rows.sized && rows.next == header.height);
    ReEncode(rows);
    return 0;
}
