#include "picture/codec/wmf_records.h"

#include <initializer_list>

#include "picture/codec/errors.h"
#include "picture/codec/little_endian.h"
#include "picture/codec/packed_dib.h"

namespace codec::metafile {
namespace {

constexpr size_t kRecordHeader = 6;
constexpr uint16_t kEtoOpaque = 2, kEtoClipped = 4;
constexpr uint16_t kPatternStyle = 3, kDibPatternStyle = 5;
constexpr size_t kFaceBytes = 32, kFontFixed = 9;
constexpr uint16_t kNullStyle = 1, kNullPen = 5, kPaletteVersion = 0x300;

// Functions whose parameters the checks read.
enum Function : uint16_t {
    kSelectObject = 0x012D, kSelectClipRegion = 0x012C, kInvertRegion = 0x012A, kPaintRegion = 0x012B,
    kDeleteObject = 0x01F0, kSelectPalette = 0x0234, kFillRegion = 0x0228, kFrameRegion = 0x0429,
    kPolygon = 0x0324, kPolyline = 0x0325, kPolyPolygon = 0x0538, kTextOut = 0x0521, kExtTextOut = 0x0A32,
    kEscape = 0x0626, kCreatePalette = 0x00F7, kSetPaletteEntries = 0x0037, kAnimatePalette = 0x0436,
    kBitBlt = 0x0922, kStretchBlt = 0x0B23, kDibBitBlt = 0x0940, kDibStretchBlt = 0x0B41, kStretchDib = 0x0F43,
    kSetDibToDevice = 0x0D33, kDibCreatePatternBrush = 0x0142, kCreatePatternBrush = 0x01F9,
    kCreateFontIndirect = 0x02FB, kCreatePen = 0x02FA, kCreateBrush = 0x02FC, kCreateRegion = 0x06FF,
    kPatBlt = 0x061D
};

// The parameter words after the record's size and function.
class Params {
public:
    Params(const uint8_t* record, size_t bytes) : data_(record + kRecordHeader), bytes_(bytes - kRecordHeader) {}
    size_t Count() const { return bytes_ / 2; }
    uint16_t operator[](size_t i) const { return le::U16<InvalidData>(data_, bytes_, 2 * i); }
    // A word the player reads by position, whatever the record holds.
    uint16_t Read(size_t i) const { return (*this)[i]; }
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
        case 0x0142: case 0x00F7: case 0x0626: case 0x0149: case 0x01F9:
            return 2;
        case 0x0521: return 3;
        case 0x0410: case 0x0412: case 0x0415: case 0x0416: case 0x0418: case 0x0419: case 0x041B: case 0x041F:
        case 0x0429: case 0x0A32: case 0x02FC:
            return 4;
        case 0x0548: case 0x02FA: return 5;
        case 0x061C: case 0x061D: case 0x06FF: return 6;
        case 0x0817: case 0x081A: case 0x0830: case 0x0940: return 8;
        case 0x0922: case 0x0D33: case 0x02FB: return 9;
        case 0x0B41: case 0x0B23: return 10;
        case 0x0F43: return 11;
        default: return -1;
    }
}

void Object(uint16_t index, uint16_t objects) {
    if (index >= objects) throw InvalidData{};
}

uint64_t HalfWords(uint64_t bytes) { return (bytes + 1) / 2; }

// Where the player finds a record's packed bitmap; 0 for none. A bit blit
// of 12 words or fewer is a pattern blit; a stretched one always has one.
size_t DibParam(uint16_t function, size_t bytes) {
    switch (function) {
        case kStretchDib: return 11;
        case kSetDibToDevice: return 9;
        case kDibBitBlt: return bytes / 2 <= 12 ? 0 : 8;
        case kDibStretchBlt: return 10;
        default: return 0;
    }
}

uint64_t WholeWords(uint64_t bytes) { return (bytes + 3) / 4 * 4; }

// A packed bitmap from parameter `first` to the end; `rows` limits the rows
// it must hold. `recorded`: the converter copies it into an enhanced
// metafile record, writing the full colour table even of a core header,
// and aborts the program unless the record comes out in whole 32-bit words
// (run-length data is rounded up to them by StateCounts). It copies every
// row of a top-down bitmap, whatever the rows a record draws.
void PackedDib(const Params& p, size_t first, uint32_t usage, bool recorded, uint64_t rows = UINT64_MAX) {
    p.Holds(first, 0);
    const size_t available = p.BytesFrom(first);
    const dib::Shape shape = dib::Read(p.Bytes(first), available, usage > 1 ? dib::kRgbColours : usage);
    if (rows != UINT64_MAX && rows > shape.rows) throw InvalidData{};
    const uint64_t copied = recorded && shape.topDown ? UINT64_MAX : rows;
    if (shape.packedBytes > available || dib::BitsNeeded(shape, copied) > available - shape.packedBytes)
        throw InvalidData{};
    if (!recorded) return;
    if (shape.recordedBytes > available) throw InvalidData{};
    if (usage == dib::kPaletteIndices && shape.recordedColours % 2 != 0) throw InvalidData{};
    if (shape.rle && WholeWords(shape.rleBytes) > available - shape.packedBytes) throw InvalidData{};
    if (shape.core && shape.bits <= 8 && dib::BitsNeeded(shape, rows) < (uint64_t(4) << shape.bits))
        throw InvalidData{};
}

// A bitmap the player makes from a width, height, planes and depth, with
// its bits from parameter `bits` on: nothing is read unless the system
// takes the size, which it rounds up to a known depth and 16-bit rows.
void DeviceBitmap(const Params& p, int64_t width, int64_t height, uint32_t planes, uint32_t depth, size_t bits) {
    if (width == 0 || height == 0 || planes != 1 || depth > 32) return;
    width = width < 0 ? -width : width;
    height = height < 0 ? -height : height;
    if (width > 0x7FFFFFF || height > 0x7FFFFFF) return;
    const uint32_t rounded = depth <= 1 ? 1 : depth <= 4 ? 4 : depth <= 8 ? 8 : depth <= 16 ? 16 : depth <= 24 ? 24 : 32;
    const uint64_t rowBytes = (uint64_t(width) * rounded + 15) / 16 * 2;
    p.Holds(bits, HalfWords(rowBytes * uint64_t(height)));
}

// The player takes the source bitmap's width, height, planes and depth from
// fixed words after the blit's `fixed` parameters, whatever the record holds.
void BlitBitmap(const Params& p, size_t fixed) {
    DeviceBitmap(p, p.Read(fixed), p.Read(fixed + 1), p.Read(fixed + 3), p.Read(fixed + 4), fixed + 5);
}

void PatternBrush(const Params& p) {
    if (p[0] == kDibPatternStyle) return PackedDib(p, 2, p[1], false);
    if (p[0] != kPatternStyle) return;
    // An info header's size, then the bits after the header and two words.
    p.Holds(2, 20);
    const uint8_t* info = p.Bytes(2);
    const size_t n = 40;
    DeviceBitmap(p, le::I32<InvalidData>(info, n, 4), le::I32<InvalidData>(info, n, 8),
                 le::U16<InvalidData>(info, n, 12), le::U16<InvalidData>(info, n, 14), 24);
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

// The player copies a whole face name of 32 bytes after the 18 fixed ones.
void Font(const Params& p) { p.Read(kFontFixed + kFaceBytes / 2 - 1); }

// The record-specific counts; the fixed parameters are already there.
void CheckParams(uint16_t function, const Params& p, size_t bytes, uint16_t objects) {
    switch (function) {
        case kInvertRegion: case kPaintRegion: case kSelectClipRegion: case kSelectObject: case kDeleteObject:
        case kSelectPalette:
            return Object(p[0], objects);
        case kFillRegion: case kFrameRegion: Object(p[0], objects); return Object(p[1], objects);
        case kPolygon: case kPolyline: return p.Holds(1, 2 * uint64_t(p[0]));
        case kPolyPolygon: return PolyPolygon(p);
        case kTextOut: return p.Holds(1, HalfWords(p[0]) + 2);
        case kExtTextOut: return ExtTextOut(p);
        case kEscape: return p.Holds(2, HalfWords(p[1]));
        case kAnimatePalette: case kSetPaletteEntries: case kCreatePalette: return p.Holds(2, 2 * uint64_t(p[1]));
        case kBitBlt: return BlitBitmap(p, 7);
        case kStretchBlt: return BlitBitmap(p, 10);
        case kDibBitBlt: case kDibStretchBlt:
            if (const size_t dib = DibParam(function, bytes)) PackedDib(p, dib, dib::kRgbColours, true);
            return;
        case kStretchDib: return PackedDib(p, 11, p[2], true);
        case kSetDibToDevice: return PackedDib(p, 9, p[0], true, p[1]);
        case kDibCreatePatternBrush: return PackedDib(p, 2, p[1], true);
        case kCreatePatternBrush: return PatternBrush(p);
        case kCreateFontIndirect: return Font(p);
        default: return;
    }
}

void CheckRecord(const uint8_t* record, size_t bytes, uint16_t objects) {
    const uint16_t function = le::U16<InvalidData>(record, bytes, 4);
    const int fixed = FixedParams(function);
    if (fixed < 0) return;
    const Params params(record, bytes);
    params.Holds(0, uint64_t(fixed));
    CheckParams(function, params, bytes, objects);
}

// ---- mending ----

// A record being written: size in words, function, parameter words.
class Record {
public:
    Record(const uint8_t* data, size_t bytes) : bytes_(data, data + bytes) {}
    Record(uint16_t function, std::initializer_list<uint16_t> params) : bytes_(kRecordHeader) {
        le::Put16(bytes_.data() + 4, function);
        for (uint16_t p : params) Append(p);
    }
    uint16_t Function() const { return Word(4); }
    size_t Params() const { return (bytes_.size() - kRecordHeader) / 2; }
    uint16_t Param(size_t i) const { return Word(kRecordHeader + 2 * i); }
    // Sets a parameter inside the record; false when it is already so or not there.
    bool Set(size_t i, uint16_t value) {
        const size_t at = kRecordHeader + 2 * i;
        if (at + 2 > bytes_.size() || Word(at) == value) return false;
        le::Put16(bytes_.data() + at, value);
        return true;
    }
    void Append(uint16_t word) { bytes_.insert(bytes_.end(), {uint8_t(word), uint8_t(word >> 8)}); }
    uint8_t* Param32(size_t i) { return bytes_.data() + kRecordHeader + 2 * i; }
    const std::vector<uint8_t>& Bytes() {
        le::Put32(bytes_.data(), uint32_t(bytes_.size() / 2));
        return bytes_;
    }

private:
    uint16_t Word(size_t at) const { return le::U16<le::ZeroBeyond>(bytes_.data(), bytes_.size(), at); }
    std::vector<uint8_t> bytes_;
};

// A face name shorter than the 32 bytes the player copies: padded with zeros.
bool MendFace(Record& r) {
    if (r.Params() < kFontFixed) return false;
    bool padded = false;
    for (; r.Params() < kFontFixed + kFaceBytes / 2; padded = true) r.Append(0);
    return padded;
}

// An escape's byte count is cut to the bytes its record holds.
bool MendEscape(Record& r) {
    if (r.Params() < 2) return false;
    const size_t held = 2 * (r.Params() - 2);
    return r.Param(1) > held && r.Set(1, uint16_t(held));
}

// The player takes a selected palette's number from the second word, where
// writers leave the force-background flag's place empty and put the number
// first: the copy holds the number in both.
bool MendSelectPalette(Record& r) {
    if (r.Params() < 1 || (r.Params() == 2 && r.Param(1) == r.Param(0))) return false;
    r = Record(kSelectPalette, {r.Param(0), r.Param(0)});
    return true;
}

// A bit blit or stretch blit of the form without a bitmap (a record of its
// fixed words alone) is the pattern blit it draws: raster operation, then
// the destination's height, width, top and left.
bool MendBlit(Record& r) {
    const size_t last = r.Function() == kBitBlt ? 8 : r.Function() == kStretchBlt ? 10 : 0;
    if (last == 0 || r.Params() != last + 1) return false;
    r = Record(kPatBlt, {r.Param(0), r.Param(1), r.Param(last - 3), r.Param(last - 2), r.Param(last - 1), r.Param(last)});
    return true;
}

// Where a record's packed bitmap starts and where its colour usage is (none: SIZE_MAX).
struct Packed {
    size_t first = 0;
    size_t usage = SIZE_MAX;
};

Packed PackedOf(const Record& r) {
    switch (r.Function()) {
        case kStretchDib: return {11, 2};
        case kSetDibToDevice: return {9, 0};
        case kDibBitBlt: return {DibParam(kDibBitBlt, kRecordHeader + 2 * r.Params()), SIZE_MAX};
        case kDibStretchBlt: return {10, SIZE_MAX};
        case kDibCreatePatternBrush: return {2, 1};
        case kCreatePatternBrush: return {r.Param(0) == kDibPatternStyle ? size_t(2) : 0, 1};
        default: return {};
    }
}

// A bitmap's unknown colour usage is read as RGB colours; an info header of
// 8 bits or fewer whose colour table runs into the bits the record holds
// after it gets the count of colours there is room for.
bool MendBitmap(Record& r) {
    const Packed packed = PackedOf(r);
    if (packed.first == 0 || r.Params() < packed.first + dib::kInfoSize / 2) return false;
    bool mended = packed.usage != SIZE_MAX && r.Param(packed.usage) > dib::kPaletteIndices &&
                  r.Set(packed.usage, dib::kRgbColours);
    const bool indices = packed.usage != SIZE_MAX && r.Param(packed.usage) == dib::kPaletteIndices;
    uint8_t* info = r.Param32(packed.first);
    const size_t available = 2 * (r.Params() - packed.first);
    const uint32_t size = le::U32<InvalidData>(info, available, 0);
    const uint16_t bits = le::U16<InvalidData>(info, available, dib::kBitCountAt);
    const uint32_t compression = le::U32<InvalidData>(info, available, dib::kCompressionAt);
    if (size < dib::kInfoSize || size > available || bits > 8 || compression > 2) return mended;
    const int32_t width = le::I32<InvalidData>(info, available, 4), height = le::I32<InvalidData>(info, available, 8);
    const uint64_t rows = height < 0 ? uint64_t(-int64_t(height)) : uint64_t(height);
    const uint64_t image = compression ? WholeWords(le::U32<InvalidData>(info, available, dib::kSizeImageAt))
                                       : (uint64_t(width < 0 ? 0 : width) * bits + 31) / 32 * 4 * rows;
    const uint32_t used = le::U32<InvalidData>(info, available, dib::kClrUsedAt), full = 1u << bits;
    const uint32_t read = used == 0 || used > full ? full : used;
    const uint64_t room = available - size > image ? (available - size - image) / (indices ? 2 : 4) : 0;
    if (room == 0 || room >= read) return mended;
    le::Put32(info + dib::kClrUsedAt, uint32_t(room));
    return true;
}

bool Mend(Record& r) {
    switch (r.Function()) {
        case kCreateFontIndirect: return MendFace(r);
        case kEscape: return MendEscape(r);
        case kSelectPalette: return MendSelectPalette(r);
        case kBitBlt: case kStretchBlt: return MendBlit(r);
        default: return MendBitmap(r);
    }
}

// The stand-in for an object record that cannot be kept, so that the
// objects made after it keep their numbers; an empty record for others.
Record StandIn(uint16_t function) {
    switch (function) {
        case kCreateBrush: case kCreatePatternBrush: case kDibCreatePatternBrush:
            return Record(kCreateBrush, {kNullStyle, 0, 0, 0});
        case kCreatePen: return Record(kCreatePen, {kNullPen, 0, 0, 0, 0});
        case kCreateFontIndirect: {
            Record font(kCreateFontIndirect, {0, 0, 0, 0, 0, 0, 0, 0, 0});
            MendFace(font);
            return font;
        }
        case kCreatePalette: return Record(kCreatePalette, {kPaletteVersion, 1, 0, 0});
        // No scans: the player makes an empty region.
        case kCreateRegion: return Record(kCreateRegion, {0, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        default: return Record(0, {});
    }
}

}  // namespace

void MendWmfRecord(const uint8_t* record, size_t bytes, uint16_t objects, std::vector<uint8_t>& out,
                   Mending& mending) {
    Record r(record, bytes);
    const uint16_t function = r.Function();
    bool mended = false;
    try {
        mended = Mend(r);
        const std::vector<uint8_t>& copy = r.Bytes();
        CheckRecord(copy.data(), copy.size(), objects);
    } catch (const InvalidData&) {
        ++mending.dropped;
        Record standIn = StandIn(function);
        if (standIn.Function() == 0) return;
        const std::vector<uint8_t>& copy = standIn.Bytes();
        out.insert(out.end(), copy.begin(), copy.end());
        return;
    }
    if (mended) ++mending.mended;
    const std::vector<uint8_t>& copy = r.Bytes();
    out.insert(out.end(), copy.begin(), copy.end());
}

void StateCounts(uint8_t* record, size_t bytes) {
    const uint16_t function = le::U16<InvalidData>(record, bytes, 4);
    const size_t first = function == kDibCreatePatternBrush ? 2 : DibParam(function, bytes);
    if (first == 0) return;
    uint8_t* info = record + kRecordHeader + 2 * first;
    const size_t available = bytes - kRecordHeader - 2 * first;
    if (le::U32<InvalidData>(info, available, 0) < dib::kInfoSize) return;
    const uint16_t bits = le::U16<InvalidData>(info, available, dib::kBitCountAt);
    if (bits <= 8 && le::U32<InvalidData>(info, available, dib::kClrUsedAt) == 0)
        le::Put32(info + dib::kClrUsedAt, 1u << bits);
    const uint32_t compression = le::U32<InvalidData>(info, available, dib::kCompressionAt);
    const uint32_t rleBytes = le::U32<InvalidData>(info, available, dib::kSizeImageAt);
    if (compression == 1 || compression == 2) le::Put32(info + dib::kSizeImageAt, uint32_t(WholeWords(rleBytes)));
}

}  // namespace codec::metafile
