// libFuzzer driver for the bitmap reader: header layout, the RLE walk (with a
// bounds-asserting decoder behind it) and a write and re-read of what was read.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "picture/codec/bmp.h"
#include "picture/codec/errors.h"
#include "picture/codec/little_endian.h"

namespace bmp = codec::bmp;
using Bytes = std::vector<uint8_t>;

namespace {

// Larger pictures are only checked, not copied, to keep runs fast.
constexpr uint64_t kCopyLimit = 1 << 20;

void Check(bool ok) {
    if (!ok) std::abort();
}

uint32_t Get32(const Bytes& b, size_t at) {
    Check(at + 4 <= b.size());
    return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 | uint32_t{b[at + 3]} << 24;
}

using codec::le::Put32;

// The BITMAPINFO holds everything a system reader takes from it.
void CheckInfo(const bmp::Layout& l) {
    const uint32_t headerSize = Get32(l.info, 0);
    Check(headerSize >= bmp::kInfoHeaderSize && headerSize <= l.info.size());
    Check(l.info.size() >= bmp::kInfoHeaderSize + bmp::kMasksSize);
    Check(Get32(l.info, 32) == l.colours.size() && l.colours.size() <= bmp::kMaxColours);
    Check(headerSize + 4 * l.colours.size() <= l.info.size());
    Check(Get32(l.info, 20) == l.header.sizeImage);
    const uint64_t rows = uint64_t(std::abs(int64_t{l.header.height}));
    Check(l.imageBytes == bmp::Stride(static_cast<uint32_t>(l.header.width), l.header.bitCount) * rows);
    Check(l.imageBytes <= bmp::kMaxImageBytes);
}

// Decodes RLE into one byte per pixel, aborting on any step outside the
// pixel rows or the data: CheckRle must have refused such data.
void DecodeRle(const bmp::InfoHeader& h, const uint8_t* data, size_t size) {
    const bool rle4 = h.compression == bmp::kRle4;
    // Rows include their padding, as in the pixel memory a decoder fills.
    const uint64_t width = bmp::Stride(static_cast<uint32_t>(h.width), h.bitCount) * (rle4 ? 2 : 1);
    const uint64_t height = static_cast<uint64_t>(h.height);
    if (width * height > kCopyLimit) return;
    Bytes image(static_cast<size_t>(width * height));
    uint64_t x = 0, y = 0;
    auto paint = [&](uint8_t v) {
        Check(x < width && y < height);
        image[static_cast<size_t>(y * width + x++)] = v;
    };
    size_t at = 0;
    while (at + 2 <= size) {
        const uint8_t count = data[at], value = data[at + 1];
        at += 2;
        if (count) {
            for (int i = 0; i < count; ++i) paint(rle4 ? (i % 2 ? value & 15 : value >> 4) : value);
        } else if (value == 0) {
            x = 0;
            Check(++y <= height);
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            Check(at + 2 <= size);
            x += data[at];
            y += data[at + 1];
            Check(x <= width && y <= height);
            at += 2;
        } else {
            const size_t bytes = rle4 ? (value + 1u) / 2 : value;
            Check(at + bytes <= size);
            for (size_t i = 0; i < value; ++i) {
                const uint8_t b = data[at + (rle4 ? i / 2 : i)];
                paint(rle4 ? (i % 2 ? b & 15 : b >> 4) : b);
            }
            at += bytes + (bytes % 2);
        }
    }
}

// Writing what was read and reading it again gives the same picture.
void RoundTrip(const bmp::Layout& l, const uint8_t* data) {
    if (l.imageBytes > kCopyLimit) return;
    const bmp::Description d = bmp::Describe(l, data + l.pixelOffset, static_cast<size_t>(l.pixelBytes));
    const Bytes file = bmp::Write(d);
    const bmp::Layout back = bmp::ReadLayout(file.data(), std::min(file.size(), bmp::kMaxPrefix), file.size());
    Check(back.os2 == l.os2);
    Check(back.header.width == l.header.width && back.header.height == l.header.height);
    Check(back.header.bitCount == l.header.bitCount && back.header.compression == l.header.compression);
    Check(back.colours.size() == l.colours.size());
    Check(back.pixelOffset + back.pixelBytes == file.size() && back.pixelBytes == l.imageBytes);
    Check(std::equal(d.pixels.begin(), d.pixels.end(), file.begin() + static_cast<long>(back.pixelOffset)));
    Check(std::equal(data + l.pixelOffset, data + l.pixelOffset + l.pixelBytes, d.pixels.begin()));
}

// Seed files -------------------------------------------------------------

bmp::Description Picture(int32_t width, int32_t height, uint16_t bits) {
    bmp::Description d;
    d.width = width;
    d.height = height;
    d.bitCount = bits;
    if (bits <= 8) {
        for (uint32_t i = 0; i < (1u << bits); ++i)
            d.colours.push_back(bmp::Colour{uint8_t(i * 3), uint8_t(i * 5), uint8_t(i * 7), 0});
    }
    const uint64_t rows = uint64_t(std::abs(int64_t{height}));
    d.pixels.resize(static_cast<size_t>(bmp::Stride(static_cast<uint32_t>(width), bits) * rows));
    for (size_t i = 0; i < d.pixels.size(); ++i) d.pixels[i] = static_cast<uint8_t>(i * 29);
    return d;
}

// An 8- or 4-bit file whose pixels are replaced by run-length data.
Bytes RleFile(uint16_t bits, const Bytes& rle) {
    Bytes file = bmp::Write(Picture(6, 3, bits));
    const uint32_t offset = Get32(file, 10);
    file.resize(offset);
    file.insert(file.end(), rle.begin(), rle.end());
    Put32(file, 2, static_cast<uint32_t>(file.size()));
    Put32(file, 30, bits == 8 ? bmp::kRle8 : bmp::kRle4);
    Put32(file, 34, static_cast<uint32_t>(rle.size()));
    return file;
}

// A 32-bit bit-field file turned into one with a version-4 header: the masks
// after a 40-byte header sit where a larger header keeps them.
Bytes Version4File() {
    bmp::Description d = Picture(3, 2, 32);
    d.compression = bmp::kBitFields;
    Bytes file = bmp::Write(d);
    file.insert(file.begin() + 14 + 52, 108 - 52, 0);
    Put32(file, 14, 108);
    Put32(file, 10, 14 + 108);
    Put32(file, 2, static_cast<uint32_t>(file.size()));
    return file;
}

void Save(const std::string& dir, const char* name, const Bytes& b) {
    const std::string path = dir + "/" + name;
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(b.data(), 1, b.size(), f);
        std::fclose(f);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* dir = std::getenv("LUMENO_WRITE_SEEDS");
    if (!dir) return 0;
    Save(dir, "rgb24.bmp", bmp::Write(Picture(3, 2, 24)));
    Save(dir, "mono.bmp", bmp::Write(Picture(9, 2, 1)));
    Save(dir, "nibble.bmp", bmp::Write(Picture(5, 3, 4)));
    Save(dir, "topdown8.bmp", bmp::Write(Picture(4, -3, 8)));
    bmp::Description fields = Picture(3, 2, 16);
    fields.compression = bmp::kBitFields;
    Save(dir, "fields16.bmp", bmp::Write(fields));
    Save(dir, "v4.bmp", Version4File());
    bmp::Description core = Picture(3, 3, 8);
    core.os2 = true;
    Save(dir, "core8.bmp", bmp::Write(core));
    Save(dir, "rle8.bmp", RleFile(8, {3, 1, 0, 3, 4, 5, 6, 0, 0, 0, 0, 2, 1, 1, 5, 9, 0, 1}));
    Save(dir, "rle4.bmp", RleFile(4, {6, 0x12, 0, 0, 0, 5, 0x12, 0x34, 0x50, 0, 0, 0, 2, 0x33, 0, 1}));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    bmp::Layout layout;
    try {
        layout = bmp::ReadLayout(data, std::min(size, bmp::kMaxPrefix), size);
    } catch (const codec::ShortRead&) {
        return 0;
    } catch (const codec::InvalidData&) {
        return 0;
    }
    if (layout.empty) {
        Check(size == 0);
        return 0;
    }
    CheckInfo(layout);
    Check(layout.pixelOffset + layout.pixelBytes <= size);
    if (!layout.IsRle()) {
        Check(layout.pixelBytes <= layout.imageBytes);
        RoundTrip(layout, data);
        return 0;
    }
    const uint8_t* rle = data + layout.pixelOffset;
    const size_t rleSize = static_cast<size_t>(layout.pixelBytes);
    try {
        bmp::CheckRle(layout.header, rle, rleSize);
    } catch (const codec::InvalidData&) {
        return 0;
    }
    DecodeRle(layout.header, rle, rleSize);
    return 0;
}
