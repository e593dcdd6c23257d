#include "picture/codec/wmf_records.h"

#include "picture/codec/errors.h"
#include "picture/codec/little_endian.h"
#include "picture/codec/packed_dib.h"

namespace codec::metafile {
namespace {

constexpr size_t kRecordHeader = 6;
constexpr uint16_t kEtoOpaque = 2, kEtoClipped = 4;
constexpr uint16_t kPatternStyle = 3;  // BS_PATTERN: the brush carries a device-dependent bitmap
constexpr size_t kBitmap16Size = 14;   // the player's 16-bit BITMAP, with its bits pointer
constexpr size_t kFaceBytes = 32;

// The parameter words after the record's size and function.
class Params {
public:
    Params(const uint8_t* record, size_t bytes) : data_(record + kRecordHeader), bytes_(bytes - kRecordHeader) {}
    size_t Count() const { return bytes_ / 2; }
    uint16_t operator[](size_t i) const { return le::U16<InvalidData>(data_, bytes_, 2 * i); }
    // `words` parameters from `first` must be present.
    void Holds(uint64_t first, uint64_t words) const {
        if (first > Count() || words > Count() - first) throw InvalidData{};
    }
    const uint8_t* Bytes(size_t first) const { return data_ + 2 * first; }
    size_t BytesFrom(size_t first) const { return bytes_ - 2 * first; }

private:
    const uint8_t* data_;
    size_t bytes_;
};

// Parameters read by position, the least each known function has; -1 for
// functions the player skips.
int FixedParams(uint16_t function) {
    switch (function) {
        case 0x001E: case 0x0035: return 0;
        case 0x0102: case 0x0103: case 0x0104: case 0x0105: case 0x0106: case 0x0107: case 0x0108: case 0x0127:
        case 0x012A: case 0x012B: case 0x012C: case 0x012D: case 0x012E: case 0x0139: case 0x01F0: case 0x0234:
        case 0x0324: case 0x0325: case 0x0538:
            return 1;
        case 0x0201: case 0x0209: case 0x020A: case 0x020B: case 0x020C: case 0x020D: case 0x020E: case 0x020F:
        case 0x0211: case 0x0213: case 0x0214: case 0x0220: case 0x0228: case 0x0231: case 0x0436: case 0x0037:
        case 0x0142: case 0x00F7: case 0x0626: case 0x0149:
            return 2;
        case 0x0521: return 3;
        case 0x0410: case 0x0412: case 0x0415: case 0x0416: case 0x0418: case 0x0419: case 0x041B: case 0x041F:
        case 0x0429: case 0x0A32: case 0x02FC:
            return 4;
        case 0x0548: case 0x02FA: case 0x01F9: return 5;
        case 0x061C: case 0x061D: return 6;
        case 0x0817: case 0x081A: case 0x0830: case 0x0940: return 8;
        case 0x0922: case 0x0D33: case 0x02FB: return 9;
        case 0x0B41: return 10;
        case 0x0B23: case 0x0F43: case 0x06FF: return 11;
        default: return -1;
    }
}

void Object(uint16_t index, uint16_t objects) {
    if (index >= objects) throw InvalidData{};
}

uint64_t HalfWords(uint64_t bytes) { return (bytes + 1) / 2; }

// A packed bitmap from parameter `first` to the end; `rows` limits the rows it must hold.
void PackedDib(const Params& p, size_t first, uint32_t usage, uint64_t rows = UINT64_MAX) {
    p.Holds(first, 0);
    const size_t available = p.BytesFrom(first);
    const dib::Shape shape = dib::Read(p.Bytes(first), available, usage > 1 ? dib::kRgbColours : usage);
    if (rows != UINT64_MAX && rows > shape.rows) throw InvalidData{};
    if (dib::BitsNeeded(shape, rows) > available - shape.infoSize) throw InvalidData{};
}

// A device-dependent bitmap made by the player from a width, height, planes
// and depth, with its bits from parameter `bits` on.
void DeviceBitmap(const Params& p, int32_t width, int32_t height, uint32_t planes, uint32_t depth, size_t bits) {
    if (width <= 0 || height <= 0 || planes != 1) throw InvalidData{};
    if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32) throw InvalidData{};
    const uint64_t rowBytes = (uint64_t(width) * depth + 15) / 16 * 2;
    if (rowBytes > 2 * uint64_t(p.Count())) throw InvalidData{};
    p.Holds(bits, HalfWords(rowBytes * uint64_t(height)));
}

// The 16-bit BITMAP of the blits that carry one, after `fixed` parameters.
void Bitmap16(const Params& p, size_t fixed) {
    p.Holds(fixed, kBitmap16Size / 2);
    const int32_t width = int16_t(p[fixed + 1]), height = int16_t(p[fixed + 2]);
    const uint16_t planesAndDepth = p[fixed + 4];
    DeviceBitmap(p, width, height, planesAndDepth & 0xFF, planesAndDepth >> 8, fixed + kBitmap16Size / 2);
}

void PatternBrush(const Params& p) {
    if (p[0] != kPatternStyle) return PackedDib(p, 2, p[1]);
    // The player takes the bitmap's size from an info header and its bits
    // from after the header and one colour.
    p.Holds(2, 20);
    const uint8_t* info = p.Bytes(2);
    const size_t n = 40;
    DeviceBitmap(p, le::I32<InvalidData>(info, n, 4), le::I32<InvalidData>(info, n, 8), le::U16<InvalidData>(info, n, 12),
                 le::U16<InvalidData>(info, n, 14), 24);
}

void OldPatternBrush(const Params& p) {
    const int32_t width = int16_t(p[1]), height = int16_t(p[2]);
    // Bitmap16 header, 18 reserved bytes, then the bits.
    DeviceBitmap(p, width, height, p[4] & 0xFF, p[4] >> 8, 14);
}

void PolyPolygon(const Params& p) {
    const uint16_t polygons = p[0];
    p.Holds(1, polygons);
    uint64_t points = 0;
    for (size_t i = 0; i < polygons; ++i) points += p[1 + i];
    p.Holds(1 + uint64_t(polygons), 2 * points);
}

void ExtTextOut(const Params& p) {
    const uint16_t chars = p[2], options = p[3];
    const uint64_t text = 4 + (options & (kEtoOpaque | kEtoClipped) ? 4 : 0);
    p.Holds(text, HalfWords(chars));
}

// A face name of up to 32 bytes after the 18 fixed bytes, ended by a 0 unless it fills all 32.
void Font(const Params& p) {
    const size_t available = p.BytesFrom(9);
    if (available >= kFaceBytes) return;
    const uint8_t* face = p.Bytes(9);
    for (size_t i = 0; i < available; ++i)
        if (face[i] == 0) return;
    throw InvalidData{};
}

// Scans from parameter 11: a count, top and bottom, count edges, the count again.
void Region(const Params& p) {
    uint64_t at = 11;
    for (uint16_t scan = 0; scan < p[5]; ++scan) {
        p.Holds(at, 1);
        const uint16_t edges = p[size_t(at)];
        if (edges % 2 != 0) throw InvalidData{};
        p.Holds(at, uint64_t(edges) + 4);
        if (p[size_t(at + edges + 3)] != edges) throw InvalidData{};
        at += uint64_t(edges) + 4;
    }
}

// The record-specific counts; the fixed parameters are already there.
void CheckParams(uint16_t function, const Params& p, size_t bytes, uint16_t objects) {
    const size_t noBitmapParams = size_t(function >> 8);
    switch (function) {
        case 0x012A: case 0x012B: case 0x012C: case 0x012D: case 0x01F0: case 0x0234: return Object(p[0], objects);
        case 0x0228: case 0x0429: Object(p[0], objects); return Object(p[1], objects);
        case 0x0324: case 0x0325: return p.Holds(1, 2 * uint64_t(p[0]));
        case 0x0538: return PolyPolygon(p);
        case 0x0521: return p.Holds(1, HalfWords(p[0]) + 2);
        case 0x0A32: return ExtTextOut(p);
        case 0x0626: return p.Holds(2, HalfWords(p[1]));
        case 0x0436: case 0x0037: case 0x00F7: return p.Holds(2, 2 * uint64_t(p[1]));
        case 0x0922: case 0x0B23:
            if (bytes / 2 == noBitmapParams + 3) return;
            return Bitmap16(p, noBitmapParams - 1);
        case 0x0940: case 0x0B41:
            if (bytes / 2 == noBitmapParams + 3) return;
            return PackedDib(p, noBitmapParams - 1, dib::kRgbColours);
        case 0x0F43: return PackedDib(p, 11, p[2]);
        case 0x0D33: return PackedDib(p, 9, p[0], p[1]);
        case 0x0142: return PatternBrush(p);
        case 0x01F9: return OldPatternBrush(p);
        case 0x02FB: return Font(p);
        case 0x06FF: return Region(p);
        default: return;
    }
}

}  // namespace

void CheckWmfRecord(const uint8_t* record, size_t bytes, uint16_t objects) {
    if (bytes < kRecordHeader) throw InvalidData{};
    const uint16_t function = le::U16<InvalidData>(record, bytes, 4);
    const int fixed = FixedParams(function);
    if (fixed < 0) return;
    const Params params(record, bytes);
    params.Holds(0, uint64_t(fixed));
    CheckParams(function, params, bytes, objects);
}

}  // namespace codec::metafile
