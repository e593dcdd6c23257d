#include "picture/codec/packed_dib.h"

#include <algorithm>
#include <limits>

#include "picture/codec/errors.h"
#include "picture/codec/little_endian.h"

namespace codec::dib {
namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
constexpr uint64_t kMasksBytes = 12;
constexpr uint32_t kMaxColours = 256;
// Run-length data is decoded into a whole bitmap of this many bytes at most.
constexpr uint64_t kMaxDecodedBytes = 512ull << 20;

uint64_t Stride(uint64_t width, uint32_t bits) { return (width * bits + 31) / 32 * 4; }

bool KnownFormat(uint32_t compression, uint32_t bits) {
    switch (compression) {
        case kRgb: return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
        case kRle8: return bits == 8;
        case kRle4: return bits == 4;
        case kBitFields: return bits == 16 || bits == 32;
        default: return false;
    }
}

Shape ReadCore(const uint8_t* info, uint64_t available, uint32_t usage) {
    const size_t n = static_cast<size_t>(std::min<uint64_t>(available, kCoreSize));
    const uint16_t width = le::U16<InvalidData>(info, n, 4), height = le::U16<InvalidData>(info, n, 6);
    const uint16_t planes = le::U16<InvalidData>(info, n, 8), bits = le::U16<InvalidData>(info, n, 10);
    if (planes != 1 || width == 0 || height == 0 || !KnownFormat(kRgb, bits)) throw InvalidData{};
    const uint64_t colours = bits <= 8 && usage != kNoColours ? 1u << bits : 0;
    Shape s;
    s.core = true;
    s.bits = bits;
    s.readBytes = kCoreSize + colours * (usage == kPaletteIndices ? 2 : 3);
    s.packedBytes = s.readBytes;
    s.recordedBytes = kCoreSize + colours * (usage == kPaletteIndices ? 2 : 4);
    s.recordedColours = colours;
    s.rowBytes = Stride(width, bits);
    s.rows = height;
    return s;
}

// The header, masks and colour table of an info header of `size` bytes.
void InfoSizes(Shape& s, uint32_t size, uint32_t compression, uint32_t used, uint32_t usage) {
    const uint64_t entry = usage == kPaletteIndices ? 2 : 4;
    const uint64_t full = s.bits <= 8 ? 1u << s.bits : 0;
    const uint64_t read = s.bits <= 8 && usage != kNoColours ? (used ? std::min<uint64_t>(used, full) : full) : 0;
    const bool masks = compression == kBitFields;
    s.readBytes = std::max<uint64_t>(uint64_t(size) + read * entry, masks ? kInfoSize + kMasksBytes : 0);
    // Where bits start the player counts biClrUsed up to 256 at any depth.
    const uint64_t counted = used ? std::min(used, kMaxColours) : full;
    s.packedBytes = std::max<uint64_t>(size, masks ? kInfoSize + kMasksBytes : 0) + counted * entry;
    s.recordedColours = masks ? 0 : (used ? used : full);
    s.recordedBytes = masks ? kInfoSize + kMasksBytes : uint64_t(size) + s.recordedColours * entry;
}

}  // namespace

Shape Read(const uint8_t* info, uint64_t available, uint32_t usage) {
    if (usage > kNoColours) throw InvalidData{};
    const size_t n = static_cast<size_t>(std::min<uint64_t>(available, kInfoSize));
    const uint32_t size = le::U32<InvalidData>(info, n, 0);
    Shape s;
    if (size == kCoreSize) {
        s = ReadCore(info, available, usage);
    } else {
        if (size < kInfoSize) throw InvalidData{};
        const int32_t width = le::I32<InvalidData>(info, n, 4), height = le::I32<InvalidData>(info, n, 8);
        const uint16_t planes = le::U16<InvalidData>(info, n, 12), bits = le::U16<InvalidData>(info, n, kBitCountAt);
        const uint32_t compression = le::U32<InvalidData>(info, n, kCompressionAt);
        const uint32_t sizeImage = le::U32<InvalidData>(info, n, kSizeImageAt);
        const uint32_t used = le::U32<InvalidData>(info, n, kClrUsedAt);
        if (planes != 1 || width <= 0 || height == 0 || height == std::numeric_limits<int32_t>::min() ||
            !KnownFormat(compression, bits))
            throw InvalidData{};
        s.bits = bits;
        s.rle = compression == kRle8 || compression == kRle4;
        s.topDown = height < 0;
        s.rows = height < 0 ? uint64_t(-int64_t(height)) : uint64_t(height);
        s.rowBytes = Stride(uint64_t(width), bits);
        if (s.rle && (height < 0 || sizeImage == 0 || Stride(uint64_t(width), 32) * s.rows > kMaxDecodedBytes))
            throw InvalidData{};
        s.rleBytes = s.rle ? sizeImage : 0;
        s.declaredBytes = sizeImage;
        InfoSizes(s, size, compression, used, usage);
    }
    if (s.readBytes > available) throw InvalidData{};
    return s;
}

uint64_t ImageBytes(const Shape& shape) {
    // Saturates: no record holds that many bytes anyway.
    if (shape.rows != 0 && shape.rowBytes > std::numeric_limits<uint64_t>::max() / shape.rows)
        return std::numeric_limits<uint64_t>::max();
    return shape.rowBytes * shape.rows;
}

uint64_t BitsNeeded(const Shape& shape, uint64_t rows) {
    if (shape.rle) return shape.rleBytes;
    Shape part = shape;
    part.rows = std::min(rows, shape.rows);
    return std::max(ImageBytes(part), shape.declaredBytes);
}

void Check(const uint8_t* info, uint64_t infoSize, uint64_t bitsSize, uint32_t usage) {
    const Shape shape = Read(info, infoSize, usage);
    if (BitsNeeded(shape, shape.rows) > bitsSize) throw InvalidData{};
}

}  // namespace codec::dib
