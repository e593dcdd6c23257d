#include "picture/codec/emf_records.h"

#include <cstdint>
#include <initializer_list>

#include "picture/codec/errors.h"
#include "picture/codec/little_endian.h"
#include "picture/codec/packed_dib.h"

namespace codec::metafile {
namespace {

constexpr uint32_t kLastType = 122;
constexpr uint32_t kStockObject = 0x80000000u;
constexpr uint32_t kEtoPdy = 0x2000, kEtoNoRect = 0x100, kEtoSmallChars = 0x200;
constexpr uint32_t kRegionHeader = 32;

// The fixed part of each record type in bytes; 0 for a type the format does not define.
constexpr uint16_t kFixedSize[kLastType + 1] = {
    0,                                      // 0
    88, 28, 28, 28, 28, 28, 32, 32,         // 1 header, poly shapes, polypoly shapes
    16, 16, 16, 16, 16, 20, 20, 12,         // 9 window and viewport, brush origin, end, pixel, mapper flags
    12, 12, 12, 12, 12, 12, 32, 12,         // 17 modes, text align, colour adjustment, text colour
    12, 16, 16, 8,  24, 24, 24, 24,         // 25 background colour, clip offset, move, meta region, clip rects, scaling
    8,  12, 32, 36, 12, 28, 24, 12,         // 33 save, restore, transforms, select, pen, brush, delete
    28, 24, 24, 32, 40, 40, 40, 12,         // 41 angle arc, ellipse, rectangle, round rect, arc, chord, pie, select palette
    16, 20, 16, 8,  24, 16, 40, 28,         // 49 palette records, flood fill, line to, arc to, poly draw
    12, 12, 8,  8,  8,  24, 24, 24,         // 57 arc direction, miter limit, path brackets, path drawing
    8,  8,  12, 8,  0,  12, 32, 40,         // 65 flatten, widen, clip path, abort path, (69), comment, fill and frame region
    28, 28, 16, 100, 108, 128, 140, 76,     // 73 invert and paint region, clip region, blits, SetDIBitsToDevice
    80, 104, 76, 76, 28, 28, 28, 28,        // 81 StretchDIBits, font, text out, 16-bit poly shapes
    28, 32, 32, 28, 32, 32, 52, 40,         // 89 16-bit shapes, poly draw 16, pattern brushes, pen, poly text out
    40, 12, 340, 12, 12, 12, 28, 48,        // 97 poly text out, colour spaces, OpenGL records, pixel format
    16, 16, 0,  36, 16, 20, 24, 20,         // 105 escapes, (107), small text out, font mapping, named escape, palette, profile
    20, 108, 12, 108, 0, 36, 12, 16,        // 113 profile, alpha blend, layout, transparent blt, (117), gradient, links, justification
    24, 608};                               // 121 colour matching, colour space

class Record {
public:
    Record(const uint8_t* data, uint32_t size) : data_(data), size_(size) {}
    uint32_t U32(size_t at) const { return le::U32<InvalidData>(data_, size_, at); }
    uint16_t U16(size_t at) const { return le::U16<InvalidData>(data_, size_, at); }
    // `count` items of `each` bytes from `at` must lie inside the record; none may be anywhere.
    void Holds(uint64_t at, uint64_t count, uint64_t each) const {
        if (count == 0) return;
        if (count > size_ || !le::Fits(size_, at, count * each)) throw InvalidData{};
    }
    const uint8_t* data() const { return data_; }
    uint32_t size() const { return size_; }

private:
    const uint8_t* data_;
    uint32_t size_;
};

struct Tables {
    uint32_t handles = 0;     // entries of the player's object table
    uint32_t palette = 0;     // palette entries the header promises in the end record
};

void Object(const Tables& t, uint32_t index) {
    if (index >= t.handles) throw InvalidData{};
}

void ObjectOrStock(const Tables& t, uint32_t index) {
    if ((index & kStockObject) == 0) Object(t, index);
}

// Points: `count` items of `each` bytes after the fixed part.
void Points(const Record& r, uint32_t each) { r.Holds(28, r.U32(24), each); }

// Polygon counts, then the points they share.
void PolyPoints(const Record& r, uint32_t each) {
    const uint32_t polygons = r.U32(24), points = r.U32(28);
    r.Holds(32, polygons, 4);
    uint64_t used = 0;
    for (uint32_t i = 0; i < polygons; ++i) used += r.U32(32 + 4 * size_t(i));
    if (used > points) throw InvalidData{};
    r.Holds(32 + uint64_t(polygons) * 4, points, each);
}

// Points and one type byte for each.
void DrawPoints(const Record& r, uint32_t each) {
    const uint32_t count = r.U32(24);
    r.Holds(28, count, each);
    r.Holds(28 + uint64_t(count) * each, count, 1);
}

// Region data of `bytes` at `at`: a 32-byte header, then its rectangles.
void Region(const Record& r, size_t at, uint32_t bytes, bool mayBeEmpty) {
    if (bytes == 0 && mayBeEmpty) return;
    r.Holds(at, bytes, 1);
    if (bytes < kRegionHeader || r.U32(at) != kRegionHeader) throw InvalidData{};
    const uint32_t rectangles = r.U32(at + 8);
    if (rectangles > (bytes - kRegionHeader) / 16) throw InvalidData{};
}

// A bitmap given by its offsets; `rows` limits the rows the bits must hold.
void Bitmap(const Record& r, size_t fields, uint32_t usage, bool optional, uint64_t rows = UINT64_MAX) {
    const uint32_t offInfo = r.U32(fields), infoSize = r.U32(fields + 4);
    const uint32_t offBits = r.U32(fields + 8), bitsSize = r.U32(fields + 12);
    if (optional && offInfo == 0 && infoSize == 0) return;
    if (infoSize == 0) throw InvalidData{};
    r.Holds(offInfo, infoSize, 1);
    r.Holds(offBits, bitsSize, 1);
    const dib::Shape shape = dib::Read(r.data() + offInfo, infoSize, usage > 1 ? dib::kRgbColours : usage);
    if (dib::BitsNeeded(shape, rows) > bitsSize) throw InvalidData{};
    // The player reads as many rows as the record says, whatever the header's height.
    if (rows != UINT64_MAX && rows > shape.rows) throw InvalidData{};
}

// Coordinates and extents of a blit: the player negates and divides them,
// which the most negative value does not survive.
void Coordinates(const Record& r, std::initializer_list<size_t> fields) {
    for (size_t at : fields)
        if (int32_t(r.U32(at)) == INT32_MIN) throw InvalidData{};
}

void BlitCoordinates(const Record& r, uint32_t type) {
    switch (type) {
        case 76: return Coordinates(r, {24, 28, 32, 36, 44, 48});
        case 77: case 114: case 116: return Coordinates(r, {24, 28, 32, 36, 44, 48, 100, 104});
        case 78: return Coordinates(r, {24, 28, 32, 36, 44, 48, 100, 104});
        case 79: return Coordinates(r, {24, 28, 32, 36, 40, 44, 48, 52, 56, 60, 112, 116});
        case 80: return Coordinates(r, {24, 28, 32, 36, 40, 44, 68, 72});
        case 81: return Coordinates(r, {24, 28, 32, 36, 40, 44, 72, 76});
        default: return;
    }
}

// An EMRTEXT at `at`: the string and the spacing array inside the record.
void Text(const Record& r, size_t at, uint32_t charSize) {
    const uint32_t chars = r.U32(at + 8), offString = r.U32(at + 12), options = r.U32(at + 16);
    const uint32_t offDx = r.U32(at + 36);
    r.Holds(offString, chars, charSize);
    r.Holds(offDx, chars, options & kEtoPdy ? 8 : 4);
}

void SmallText(const Record& r) {
    const uint32_t chars = r.U32(16), options = r.U32(20);
    const uint64_t start = 36 + (options & kEtoNoRect ? 0 : 16);
    r.Holds(start, chars, options & kEtoSmallChars ? 1 : 2);
}

void Gradient(const Record& r) {
    const uint32_t vertices = r.U32(24), shapes = r.U32(28), mode = r.U32(32);
    if (mode > 2) throw InvalidData{};
    const uint32_t corners = mode == 2 ? 3 : 2;
    r.Holds(36, vertices, 16);
    const uint64_t at = 36 + uint64_t(vertices) * 16;
    r.Holds(at, shapes, 4 * corners);
    for (uint64_t i = 0; i < uint64_t(shapes) * corners; ++i)
        if (r.U32(size_t(at + 4 * i)) >= vertices) throw InvalidData{};
}

// A saved state: the player takes its magnitude with abs(), which the most
// negative value does not survive.
void RestoreLevel(const Record& r) {
    if (int32_t(r.U32(8)) == INT32_MIN) throw InvalidData{};
}

void EndRecord(const Record& r, const Tables& t, bool last) {
    const uint32_t entries = r.U32(8), offset = r.U32(12);
    r.Holds(offset, entries, 4);
    // The system reads the header's count of entries from the end record.
    if (t.palette && (!last || entries < t.palette)) throw InvalidData{};
}

void Header(const Record& r) {
    const uint32_t descriptionChars = r.U32(60), offDescription = r.U32(64);
    if (descriptionChars) r.Holds(offDescription, descriptionChars, 2);
    if (r.size() >= 100) {
        const uint32_t formatSize = r.U32(88), offFormat = r.U32(92);
        if (formatSize) r.Holds(offFormat, formatSize, 1);
    }
}

void CheckRecord(uint32_t type, const Record& r, const Tables& t, bool first, bool last) {
    if (type == 0 || type > kLastType || kFixedSize[type] == 0 || r.size() < kFixedSize[type]) throw InvalidData{};
    if ((type == 1) != first) throw InvalidData{};
    BlitCoordinates(r, type);
    switch (type) {
        case 1: return Header(r);
        case 2: case 3: case 4: case 5: case 6: return Points(r, 8);
        case 7: case 8: return PolyPoints(r, 8);
        case 14: return EndRecord(r, t, last);
        case 34: return RestoreLevel(r);
        case 37: case 48: return ObjectOrStock(t, r.U32(8));
        case 38: case 39: case 40: case 51: case 82: case 99: case 100: case 101: case 111: return Object(t, r.U32(8));
        case 49: Object(t, r.U32(8)); return r.Holds(16, r.U16(14), 4);
        case 50: Object(t, r.U32(8)); return r.Holds(20, r.U32(16), 4);
        case 56: return DrawPoints(r, 8);
        case 70: return r.Holds(12, r.U32(8), 1);
        case 71: Object(t, r.U32(28)); return Region(r, 32, r.U32(24), false);
        case 72: Object(t, r.U32(28)); return Region(r, 40, r.U32(24), false);
        case 73: case 74: return Region(r, 28, r.U32(24), false);
        case 75: return Region(r, 16, r.U32(8), true);
        case 76: case 77: case 114: case 116: return Bitmap(r, 84, r.U32(80), true);
        case 78: Bitmap(r, 84, r.U32(80), true); return Bitmap(r, 112, r.U32(108), true);
        case 79: Bitmap(r, 96, r.U32(92), true); return Bitmap(r, 124, r.U32(120), true);
        case 80: return Bitmap(r, 48, r.U32(64), false, r.U32(72));
        case 81: return Bitmap(r, 48, r.U32(64), false);
        case 83: return Text(r, 36, 1);
        case 84: return Text(r, 36, 2);
        case 85: case 86: case 87: case 88: case 89: return Points(r, 4);
        case 90: case 91: return PolyPoints(r, 4);
        case 92: return DrawPoints(r, 4);
        case 93: case 94: Object(t, r.U32(8)); return Bitmap(r, 16, r.U32(12), false);
        case 95: Object(t, r.U32(8)); r.Holds(52, r.U32(48), 4); return Bitmap(r, 12, r.U32(40) == 1, true);
        case 96: case 97:
            r.Holds(40, r.U32(36), 40);
            for (uint32_t i = 0; i < r.U32(36); ++i) Text(r, 40 + 40 * size_t(i), type == 96 ? 1 : 2);
            return;
        case 102: return r.Holds(12, r.U32(8), 1);
        case 103: return r.Holds(28, r.U32(24), 1);
        case 105: case 106: return r.Holds(16, r.U32(12), 1);
        case 108: return SmallText(r);
        case 110: return r.Holds(20, uint64_t(r.U32(12)) + r.U32(16), 1);
        case 112: case 113: return r.Holds(20, uint64_t(r.U32(12)) + r.U32(16), 1);
        case 118: return Gradient(r);
        case 119: return r.Holds(12, r.U32(8), 8);
        case 121: return r.Holds(24, uint64_t(r.U32(16)) + r.U32(20), 1);
        case 122: Object(t, r.U32(8)); return r.Holds(608, r.U32(604), 1);
        default: return;
    }
}

}  // namespace

void CheckEmfRecords(const uint8_t* data, uint32_t total) {
    Tables tables;
    tables.handles = le::U16<InvalidData>(data, total, 56);
    tables.palette = le::U32<InvalidData>(data, total, 68);
    uint64_t at = 0;
    while (at < total) {
        const uint32_t type = le::U32<InvalidData>(data, total, size_t(at));
        const uint32_t size = le::U32<InvalidData>(data, total, size_t(at + 4));
        if (size < 8 || size % 4 != 0 || !le::Fits(total, at, size)) throw InvalidData{};
        CheckRecord(type, Record(data + at, size), tables, at == 0, at + size == total);
        at += size;
    }
}

}  // namespace codec::metafile
