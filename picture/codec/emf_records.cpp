#include "picture/codec/emf_records.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "picture/codec/emf_layout.h"
#include "picture/codec/errors.h"
#include "picture/codec/little_endian.h"
#include "picture/codec/packed_dib.h"

namespace codec::metafile {
namespace {

using namespace codec::emf;

constexpr uint32_t kEtoPdy = 0x2000, kEtoNoRect = 0x100, kEtoSmallChars = 0x200;
constexpr uint32_t kRegionHeader = 32;
constexpr uint32_t kPaletteUsage = 1;  // DIB_PAL_COLORS
constexpr uint32_t kMonoUsage = 2;     // a monochrome brush's bits without colours
constexpr uint32_t kBitFields = 3;
// An alpha blend's section is allocated whole; beyond this the allocation
// may fail, and the player copies the bits into what it did not get.
constexpr uint64_t kMaxSectionBytes = 256ull << 20;

// The fixed part of each record type in bytes; 8 for a type the player does not know.
constexpr uint16_t kFixedSize[kLastType + 1] = {
    8,                                      // 0
    88, 28, 28, 28, 28, 28, 32, 32,         // 1 header, poly shapes, polypoly shapes
    16, 16, 16, 16, 16, 20, 20, 12,         // 9 window and viewport, brush origin, end, pixel, mapper flags
    12, 12, 12, 12, 12, 12, 32, 12,         // 17 modes, text align, colour adjustment, text colour
    12, 16, 16, 8,  24, 24, 24, 24,         // 25 background colour, clip offset, move, meta region, clip rects, scaling
    8,  12, 32, 36, 12, 28, 24, 12,         // 33 save, restore, transforms, select, pen, brush, delete
    28, 24, 24, 32, 40, 40, 40, 12,         // 41 angle arc, ellipse, rectangle, round rect, arc, chord, pie, select palette
    16, 20, 16, 8,  24, 16, 40, 28,         // 49 palette records, flood fill, line to, arc to, poly draw
    12, 12, 8,  8,  8,  24, 24, 24,         // 57 arc direction, miter limit, path brackets, path drawing
    8,  8,  12, 8,  8,  12, 32, 40,         // 65 flatten, widen, clip path, abort path, (69), comment, fill and frame region
    28, 28, 16, 100, 108, 128, 140, 76,     // 73 invert and paint region, clip region, blits, SetDIBitsToDevice
    80, 104, 76, 76, 28, 28, 28, 28,        // 81 StretchDIBits, font, text out, 16-bit poly shapes
    28, 32, 32, 28, 32, 32, 52, 40,         // 89 16-bit shapes, poly draw 16, pattern brushes, pen, poly text out
    40, 12, 340, 12, 12, 12, 28, 48,        // 97 poly text out, colour spaces, OpenGL records, pixel format
    16, 16, 8,  36, 16, 20, 24, 20,         // 105 escapes, (107), small text out, font mapping, named escape, palette, profile
    20, 108, 12, 108, 8, 36, 12, 16,        // 113 profile, alpha blend, layout, transparent blt, (117), gradient, links, justification
    24, 608};                               // 121 colour matching, colour space

class Record : public le::Bytes<InvalidData> {
public:
    using Bytes::Bytes;
    // `count` items of `each` bytes from `at` must lie inside the record; none may be anywhere.
    void Holds(uint64_t at, uint64_t count, uint64_t each) const {
        if (count == 0) return;
        if (count > size() || !le::Fits(size(), at, count * each)) throw InvalidData{};
    }
};

struct Tables {
    uint32_t handles = 0;  // entries of the player's object table
};

void Object(const Tables& t, uint32_t index) {
    if (index >= t.handles) throw InvalidData{};
}

void ObjectOrStock(const Tables& t, uint32_t index) {
    if ((index & kStockObject) == 0) Object(t, index);
}

void Points(const Record& r, uint32_t each) { r.Holds(poly::kPoints, r.U32(poly::kCount), each); }

// Figure counts, then the points they share.
void PolyPoints(const Record& r, uint32_t each) {
    const uint32_t figures = r.U32(poly_poly::kFigures), points = r.U32(poly_poly::kCount);
    r.Holds(poly_poly::kCounts, figures, 4);
    uint64_t used = 0;
    for (uint32_t i = 0; i < figures; ++i) used += r.U32(poly_poly::kCounts + 4 * size_t(i));
    if (used > points) throw InvalidData{};
    r.Holds(poly_poly::kCounts + uint64_t(figures) * 4, points, each);
}

// Points and one type byte for each.
void DrawPoints(const Record& r, uint32_t each) {
    const uint32_t count = r.U32(poly::kCount);
    r.Holds(poly::kPoints, count, each);
    r.Holds(poly::kPoints + uint64_t(count) * each, count, 1);
}

// Region data of `bytes` at `at`: a 32-byte header, then its rectangles.
void Region(const Record& r, size_t at, uint32_t bytes) {
    r.Holds(at, bytes, 1);
    if (bytes < kRegionHeader || r.U32(at + region_data::kHeaderSize) != kRegionHeader) throw InvalidData{};
    if (r.U32(at + region_data::kCount) > (bytes - kRegionHeader) / 16) throw InvalidData{};
}

// The clip region: none when its size is 0, but the player reads region
// data from any record long enough to hold a header.
void ClipRegion(const Record& r) {
    const uint32_t bytes = r.U32(clip_rgn::kBytes);
    if (bytes) return Region(r, clip_rgn::kData, bytes);
    if (r.size() < clip_rgn::kData + 4 + kRegionHeader) return;
    if (r.U32(clip_rgn::kData + region_data::kHeaderSize) < kRegionHeader) return;
    r.Holds(clip_rgn::kData + region_data::kRectangles, r.U32(clip_rgn::kData + region_data::kCount), 16);
}

// What one bitmap of a record asks of it.
struct BitmapRule {
    bool optional = false;          // offsets and sizes all 0: no bitmap
    uint64_t rows = UINT64_MAX;     // rows the bits must hold; all when UINT64_MAX
    bool recorded = false;          // re-recorded by the converter: its header's colour count is copied
    bool section = false;           // copied whole into a section the size of the image
    uint64_t readAtLeast = 0;       // bytes the player reads from the header whatever it says
};

uint32_t ColourUse(uint32_t usage) { return usage > kPaletteUsage ? dib::kRgbColours : usage; }

// A section the player makes and copies the bits into: it must be made.
void Section(const Record& r, uint32_t offInfo, const dib::Shape& shape, uint32_t bitsSize) {
    if (shape.rle || bitsSize > dib::ImageBytes(shape) || dib::ImageBytes(shape) > kMaxSectionBytes) throw InvalidData{};
    if (shape.core || r.U32(offInfo + dib::kCompressionAt) != kBitFields) return;
    for (size_t i = 0; i < 3; ++i)
        if (r.U32(offInfo + dib::kInfoSize + 4 * i) == 0) throw InvalidData{};
}

void Bitmap(const Record& r, BitmapFields at, uint32_t usage, const BitmapRule& rule) {
    const uint32_t offInfo = r.U32(at.fields), infoSize = r.U32(at.fields + 4);
    const uint32_t offBits = r.U32(at.fields + 8), bitsSize = r.U32(at.fields + 12);
    if (rule.optional && offInfo == 0 && infoSize == 0) return;
    if (infoSize == 0) throw InvalidData{};
    r.Holds(offInfo, infoSize, 1);
    r.Holds(offBits, bitsSize, 1);
    // The player reads the header and colours from the record, whatever the stated size.
    const uint64_t available = r.size() - uint64_t(offInfo);
    const dib::Shape shape = dib::Read(r.data() + offInfo, available, usage);
    if (rule.recorded && shape.recordedBytes > available) throw InvalidData{};
    if (rule.readAtLeast > available) throw InvalidData{};
    if (dib::BitsNeeded(shape, rule.rows) > bitsSize) throw InvalidData{};
    // The player reads as many rows as the record says, whatever the header's height.
    if (rule.rows != UINT64_MAX && rule.rows > shape.rows) throw InvalidData{};
    if (rule.section) Section(r, offInfo, shape, bitsSize);
}

void BlitBitmap(const Record& r, BitmapFields at, bool section = false) {
    BitmapRule rule;
    rule.optional = true;
    rule.section = section;
    Bitmap(r, at, ColourUse(r.U32(at.usage)), rule);
}

// A monochrome brush: its bits alone, or a header whose first two colours
// the player compares with black and white.
void MonoBrush(const Record& r) {
    const uint32_t usage = r.U32(pattern_brush::kUsage);
    BitmapRule rule;
    rule.readAtLeast = usage == kMonoUsage ? 0 : dib::kInfoSize + 8;
    Bitmap(r, {pattern_brush::kBitmap, pattern_brush::kUsage}, usage == kMonoUsage ? dib::kNoColours : ColourUse(usage),
           rule);
}

// An extended pen's pattern bitmap, read only when its size is stated
// (writers leave the offset set without one).
void PenBitmap(const Record& r) {
    if (r.U32(ext_create_pen::kBitmap + 4) == 0) return;
    Bitmap(r, {ext_create_pen::kBitmap, 0}, ColourUse(r.U32(ext_create_pen::kColour) == kPaletteUsage), {});
}

// Coordinates and extents of a blit: the player negates and divides them,
// which the most negative value does not survive.
void Coordinates(const Record& r, std::initializer_list<size_t> fields) {
    for (size_t at : fields)
        if (at && int32_t(r.U32(at)) == INT32_MIN) throw InvalidData{};
}

void BlitCoordinates(const Record& r, const Blit& b) {
    Coordinates(r, {b.dest, b.dest + 4, b.destSize, b.destSize + 4, b.source, b.source + 4, b.sourceSize,
                    b.sourceSize ? b.sourceSize + 4 : 0, b.mask, b.mask ? b.mask + 4 : 0});
}

void PlgCoordinates(const Record& r) {
    for (size_t i = 0; i < 6; ++i) Coordinates(r, {plg_blt::kCorners + 4 * i});
    Coordinates(r, {plg_blt::kSource, plg_blt::kSource + 4, plg_blt::kSourceSize, plg_blt::kSourceSize + 4,
                    plg_blt::kMask, plg_blt::kMask + 4});
}

void Blits(const Record& r, const Blit& b, bool section = false) {
    BlitCoordinates(r, b);
    BlitBitmap(r, b.bitmap, section);
    if (b.mask) BlitBitmap(r, b.maskBitmap);
}

void DibBlit(const Record& r, const Blit& b, uint64_t rows) {
    BlitCoordinates(r, b);
    BitmapRule rule;
    rule.rows = rows;
    rule.recorded = true;
    Bitmap(r, b.bitmap, ColourUse(r.U32(b.bitmap.usage)), rule);
}

// An EMRTEXT at `at`: the string inside the record, and the spacing array
// when there is one (`optionalSpacing`: offset 0 means none).
void Text(const Record& r, size_t at, uint32_t charSize, bool optionalSpacing) {
    const uint32_t chars = r.U32(at + text::kChars), options = r.U32(at + text::kOptions);
    const uint32_t offDx = r.U32(at + text::kSpacing);
    r.Holds(r.U32(at + text::kString), chars, charSize);
    if (optionalSpacing && offDx == 0) return;
    r.Holds(offDx, chars, options & kEtoPdy ? 8 : 4);
}

void PolyText(const Record& r, uint32_t charSize) {
    const uint32_t strings = r.U32(poly_text::kStrings);
    r.Holds(poly_text::kTexts, strings, text::kTextSize);
    for (uint32_t i = 0; i < strings; ++i) Text(r, poly_text::kTexts + text::kTextSize * size_t(i), charSize, false);
}

void SmallText(const Record& r) {
    const uint32_t chars = r.U32(small_text::kChars), options = r.U32(small_text::kOptions);
    const uint64_t start = small_text::kText + (options & kEtoNoRect ? 0 : small_text::kBoxSize);
    r.Holds(start, chars, options & kEtoSmallChars ? 1 : 2);
}

void Gradient(const Record& r) {
    const uint32_t vertices = r.U32(gradient::kVertices), shapes = r.U32(gradient::kShapes);
    const uint32_t mode = r.U32(gradient::kMode);
    if (mode > 2) throw InvalidData{};
    const uint32_t corners = mode == 2 ? 3 : 2;
    r.Holds(gradient::kData, vertices, gradient::kVertexSize);
    const uint64_t at = gradient::kData + uint64_t(vertices) * gradient::kVertexSize;
    r.Holds(at, shapes, 4 * corners);
    for (uint64_t i = 0; i < uint64_t(shapes) * corners; ++i)
        if (r.U32(size_t(at + 4 * i)) >= vertices) throw InvalidData{};
}

// A saved state: the player takes its magnitude with abs(), which the most
// negative value does not survive.
void RestoreLevel(const Record& r) {
    if (int32_t(r.U32(restore_dc::kLevel)) == INT32_MIN) throw InvalidData{};
}

// The palette entries the system copies from an end record.
void EndRecord(const Record& r) { r.Holds(r.U32(eof::kOffset), r.U32(eof::kEntries), 4); }

void CheckRecord(uint32_t type, const Record& r, const Tables& t) {
    const uint32_t fixed = type <= kLastType ? kFixedSize[type] : kRecordHeader;
    if (r.size() < fixed || type == kHeader) throw InvalidData{};
    const uint32_t index = r.size() >= object::kIndex + 4 ? r.U32(object::kIndex) : 0;
    switch (type) {
        case kPolyBezier: case kPolygon: case kPolyline: case kPolyBezierTo: case kPolylineTo: return Points(r, 8);
        case kPolyPolyline: case kPolyPolygon: return PolyPoints(r, 8);
        case kEof: return EndRecord(r);
        case kRestoreDC: return RestoreLevel(r);
        case kSelectObject: case kSelectPalette: return ObjectOrStock(t, index);
        case kCreatePen: case kCreateBrushIndirect: case kDeleteObject: case kResizePalette:
        case kExtCreateFontIndirectW: case kCreateColorSpace: case kSetColorSpace: case kDeleteColorSpace:
            return Object(t, index);
        case kCreatePalette: Object(t, index); return r.Holds(create_palette::kColours, r.U16(create_palette::kEntries), 4);
        case kSetPaletteEntries:
            Object(t, index);
            return r.Holds(set_palette_entries::kColours, r.U32(set_palette_entries::kCount), 4);
        case kPolyDraw: return DrawPoints(r, 8);
        case kGdiComment: return r.Holds(comment::kData, r.U32(comment::kBytes), 1);
        case kFillRgn: Object(t, r.U32(fill_rgn::kBrush)); return Region(r, fill_rgn::kData, r.U32(fill_rgn::kBytes));
        case kFrameRgn: Object(t, r.U32(frame_rgn::kBrush)); return Region(r, frame_rgn::kData, r.U32(frame_rgn::kBytes));
        case kInvertRgn: case kPaintRgn: return Region(r, paint_rgn::kData, r.U32(paint_rgn::kBytes));
        case kExtSelectClipRgn: return ClipRegion(r);
        case kBitBlt: return Blits(r, kBitBltLayout);
        case kStretchBlt: case kTransparentBlt: return Blits(r, kStretchBltLayout);
        case kAlphaBlend: return Blits(r, kStretchBltLayout, true);
        case kMaskBlt: return Blits(r, kMaskBltLayout);
        case kPlgBlt:
            PlgCoordinates(r);
            BlitBitmap(r, plg_blt::kBitmap);
            return BlitBitmap(r, plg_blt::kMaskBitmap);
        case kSetDIBitsToDevice:
            Coordinates(r, {set_dibits::kStartScan, set_dibits::kScans});
            return DibBlit(r, kSetDIBitsLayout, r.U32(set_dibits::kScans));
        case kStretchDIBits: return DibBlit(r, kStretchDIBitsLayout, UINT64_MAX);
        case kExtTextOutA: return Text(r, text::kText, 1, true);
        case kExtTextOutW: return Text(r, text::kText, 2, true);
        case kPolyBezier16: case kPolygon16: case kPolyline16: case kPolyBezierTo16: case kPolylineTo16:
            return Points(r, 4);
        case kPolyPolyline16: case kPolyPolygon16: return PolyPoints(r, 4);
        case kPolyDraw16: return DrawPoints(r, 4);
        case kCreateMonoBrush: Object(t, index); return MonoBrush(r);
        case kCreateDIBPatternBrushPt:
            Object(t, index);
            return Bitmap(r, {pattern_brush::kBitmap, pattern_brush::kUsage}, ColourUse(r.U32(pattern_brush::kUsage)), {});
        case kExtCreatePen:
            Object(t, index);
            r.Holds(ext_create_pen::kStyles, r.U32(ext_create_pen::kStyleCount), 4);
            return PenBitmap(r);
        case kPolyTextOutA: return PolyText(r, 1);
        case kPolyTextOutW: return PolyText(r, 2);
        // The player sets the pixel format of the window drawn into, which
        // keeps it when the picture is gone: what GDI draws there later no
        // longer shows.
        case kPixelFormat: throw InvalidData{};
        case kGlsRecord: return r.Holds(12, r.U32(8), 1);
        case kGlsBoundedRecord: return r.Holds(28, r.U32(24), 1);
        case kDrawEscape: case kExtEscape: return r.Holds(16, r.U32(12), 1);
        case kSmallTextOut: return SmallText(r);
        case kNamedEscape: case kSetICMProfileA: case kSetICMProfileW:
            return r.Holds(20, uint64_t(r.U32(12)) + r.U32(16), 1);
        case kGradientFill: return Gradient(r);
        case kSetLinkedUfis: return r.Holds(12, r.U32(8), 8);
        case kColorMatchToTargetW: return r.Holds(24, uint64_t(r.U32(16)) + r.U32(20), 1);
        case kCreateColorSpaceW: Object(t, index); return r.Holds(608, r.U32(604), 1);
        default: return;
    }
}

// ---- mending ----

// A record's own copy, whose fields the menders set.
class Copy {
public:
    explicit Copy(const uint8_t* data, uint32_t size) : bytes_(data, data + size) {}
    uint32_t U32(size_t at) const { return le::U32<le::ZeroBeyond>(bytes_.data(), bytes_.size(), at); }
    uint16_t U16(size_t at) const { return le::U16<le::ZeroBeyond>(bytes_.data(), bytes_.size(), at); }
    // Sets a field inside the record; false (and nothing set) outside it.
    bool Set(size_t at, uint32_t value) {
        if (!le::Fits(bytes_.size(), at, 4) || U32(at) == value) return false;
        le::Put32(bytes_.data() + at, value);
        return true;
    }
    size_t size() const { return bytes_.size(); }
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

// A bitmap a record carries, and how the player makes it.
struct Carried {
    BitmapFields at;
    bool mono = false;     // a monochrome brush: usage 2 is its bits without colours
    bool section = false;  // an alpha blend's section, which knows RGB colours only
};

// The bitmaps of a record type: none, one or two (a blit's source and mask).
int CarriedBitmaps(uint32_t type, Carried out[2]) {
    switch (type) {
        case kBitBlt: case kStretchBlt: case kTransparentBlt: out[0] = {kBitBltLayout.bitmap}; return 1;
        case kAlphaBlend: out[0] = {kBitBltLayout.bitmap, false, true}; return 1;
        case kMaskBlt: out[0] = {kMaskBltLayout.bitmap}; out[1] = {kMaskBltLayout.maskBitmap}; return 2;
        case kPlgBlt: out[0] = {plg_blt::kBitmap}; out[1] = {plg_blt::kMaskBitmap}; return 2;
        case kSetDIBitsToDevice: case kStretchDIBits: out[0] = {kStretchDIBitsLayout.bitmap}; return 1;
        case kCreateDIBPatternBrushPt: out[0] = {{pattern_brush::kBitmap, pattern_brush::kUsage}}; return 1;
        case kCreateMonoBrush: out[0] = {{pattern_brush::kBitmap, pattern_brush::kUsage}, true}; return 1;
        default: return 0;
    }
}

// A colour usage the player does not know (it reads 2 as RGB colours, or
// as a monochrome brush's bits alone; an alpha blend's section knows only
// RGB colours) is read as RGB colours.
bool MendUsage(Copy& c, const Carried& b) {
    const uint32_t usage = c.U32(b.at.usage);
    const uint32_t known = b.section ? dib::kRgbColours : kMonoUsage;
    return usage > known && c.Set(b.at.usage, dib::kRgbColours);
}

// An info header of 8 bits or fewer whose colour table, as the player
// counts it, is longer than the header and colours the record states, or
// whose count is past its depth's table, gets the count of colours stated.
bool MendColourCount(Copy& c, const Carried& b) {
    const uint32_t offInfo = c.U32(b.at.fields), cbInfo = c.U32(b.at.fields + 4);
    if (!le::Fits(c.size(), offInfo, dib::kInfoSize) || cbInfo < dib::kInfoSize) return false;
    const uint32_t headerSize = c.U32(offInfo), bits = c.U16(offInfo + dib::kBitCountAt);
    const uint32_t usage = c.U32(b.at.usage);
    if (headerSize < dib::kInfoSize || headerSize > cbInfo || bits > 8 || (b.mono && usage == kMonoUsage)) return false;
    if (c.U32(offInfo + dib::kCompressionAt) == kBitFields) return false;
    const uint32_t used = c.U32(offInfo + dib::kClrUsedAt), full = 1u << bits;
    const uint32_t read = used == 0 || used > full ? full : used;
    const uint32_t stated = (cbInfo - headerSize) / (usage == kPaletteUsage ? 2 : 4);
    // A count past the depth's table is what the converter copies.
    if (used <= full && read <= stated) return false;
    const uint32_t count = read < stated ? read : stated;
    return count > 0 && c.Set(offInfo + dib::kClrUsedAt, count);
}

bool MendBitmaps(Copy& c, uint32_t type) {
    Carried bitmaps[2];
    const int count = CarriedBitmaps(type, bitmaps);
    bool mended = false;
    for (int i = 0; i < count; ++i) {
        if (c.U32(bitmaps[i].at.fields) == 0 && c.U32(bitmaps[i].at.fields + 4) == 0) continue;
        mended |= MendUsage(c, bitmaps[i]);
        mended |= MendColourCount(c, bitmaps[i]);
    }
    return mended;
}

// Fields the player would read past the record are cut to it: a comment's
// data, and an end record's palette (then none).
bool MendCounts(Copy& c, uint32_t type) {
    if (type == kGdiComment && c.size() >= comment::kData)
        return c.U32(comment::kBytes) > c.size() - comment::kData && c.Set(comment::kBytes, uint32_t(c.size() - comment::kData));
    if (type == kEof && c.size() >= eof::kOffset + 4 &&
        !le::Fits(c.size(), c.U32(eof::kOffset), uint64_t(c.U32(eof::kEntries)) * 4))
        return c.Set(eof::kEntries, 0);
    return false;
}

// Whether a record goes to the player as it is, mended, or not at all.
enum class Fate { kKept, kMended, kDropped };

Fate MendRecord(Copy& c, uint32_t type, const Tables& t) {
    const bool bitmaps = MendBitmaps(c, type);
    const bool mended = MendCounts(c, type) || bitmaps;
    try {
        CheckRecord(type, Record(c.bytes().data(), c.size()), t);
    } catch (const InvalidData&) {
        return Fate::kDropped;
    }
    return mended ? Fate::kMended : Fate::kKept;
}

void Put(std::vector<uint8_t>& out, size_t at, uint32_t value) { le::Put32(out.data() + at, value); }

}  // namespace

std::vector<uint8_t> MendEmfRecords(const uint8_t* data, uint32_t total, Mending& mending) {
    const uint32_t droppedBefore = mending.dropped;
    Tables tables;
    tables.handles = le::U16<InvalidData>(data, total, header::kHandles);
    std::vector<uint8_t> out;
    out.reserve(total);
    bool paletteCut = false;
    for (uint64_t at = 0; at < total;) {
        const uint32_t type = le::U32<InvalidData>(data, total, size_t(at + kTypeAt));
        const uint32_t size = le::U32<InvalidData>(data, total, size_t(at + kSizeAt));
        if (size < kRecordHeader || size % 4 != 0 || !le::Fits(total, at, size)) throw InvalidData{};
        if (at == 0) {
            if (type != kHeader || size < kFixedSize[kHeader]) throw InvalidData{};
            out.insert(out.end(), data, data + size);
            at += size;
            continue;
        }
        Copy copy(data + at, size);
        const Fate fate = MendRecord(copy, type, tables);
        at += size;
        if (fate == Fate::kDropped) {
            ++mending.dropped;
            continue;
        }
        if (fate == Fate::kMended) ++mending.mended;
        // The header counts the palette the end record holds.
        paletteCut |= type == kEof && fate == Fate::kMended;
        out.insert(out.end(), copy.bytes().begin(), copy.bytes().end());
    }
    Put(out, header::kBytes, uint32_t(out.size()));
    if (const uint32_t dropped = mending.dropped - droppedBefore)
        Put(out, header::kRecords, le::U32<InvalidData>(data, total, header::kRecords) - dropped);
    if (paletteCut) Put(out, header::kPaletteEntries, 0);
    return out;
}

}  // namespace codec::metafile
