#include "picture/metafile_play.h"

#include <algorithm>
#include <cstdlib>
#include <cstdint>

#include "picture/codec/emf_layout.h"
#include "picture/codec/little_endian.h"
#include "ui/scope.h"

namespace {

constexpr uint32_t kTextBox = ETO_OPAQUE | ETO_CLIPPED;

LONG Clamped(int64_t v) { return LONG(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// The device-space span of the logical points fed to it, converted in
// small batches so that playing allocates nothing.
class Span {
public:
    explicit Span(HDC dc) : dc_(dc) {}
    ~Span() = default;
    Span(const Span&) = delete;
    Span& operator=(const Span&) = delete;

    void Add(LONG x, LONG y) {
        if (count_ == kBatch) Flush();
        batch_[count_++] = POINT{x, y};
    }
    bool TooLarge() {
        Flush();
        return seen_ && (maxX_ - minX_ > kMaxPlayedExtent || maxY_ - minY_ > kMaxPlayedExtent);
    }

private:
    static constexpr int kBatch = 64;

    void Flush() {
        if (count_ == 0) return;
        LPtoDP(dc_, batch_, count_);
        for (int i = 0; i < count_; ++i) {
            const POINT& p = batch_[i];
            if (!seen_) {
                minX_ = maxX_ = p.x;
                minY_ = maxY_ = p.y;
                seen_ = true;
            }
            minX_ = std::min<int64_t>(minX_, p.x);
            maxX_ = std::max<int64_t>(maxX_, p.x);
            minY_ = std::min<int64_t>(minY_, p.y);
            maxY_ = std::max<int64_t>(maxY_, p.y);
        }
        count_ = 0;
    }

    HDC dc_;
    POINT batch_[kBatch];
    int count_ = 0;
    bool seen_ = false;
    int64_t minX_ = 0, maxX_ = 0, minY_ = 0, maxY_ = 0;
};

// Fields of a record the reader has checked; out of range reads as 0.
class Fields : public codec::le::Bytes<codec::le::ZeroBeyond> {
public:
    explicit Fields(const ENHMETARECORD* record) : Bytes(reinterpret_cast<const uint8_t*>(record), record->nSize) {}
};

void Point(Span& s, const Fields& f, size_t at) { s.Add(f.I32(at), f.I32(at + 4)); }

void Box(Span& s, const Fields& f, size_t at) {
    Point(s, f, at);
    Point(s, f, at + 8);
}

// A corner and a width and height, each a 32-bit field.
void Extent(Span& s, const Fields& f, size_t corner, size_t size) {
    const int64_t x = f.I32(corner), y = f.I32(corner + 4);
    s.Add(LONG(x), LONG(y));
    s.Add(Clamped(x + f.I32(size)), Clamped(y + f.I32(size + 4)));
}

void Points32(Span& s, const Fields& f, size_t at, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) Point(s, f, at + 8 * size_t(i));
}

void Points16(Span& s, const Fields& f, size_t at, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) s.Add(f.I16(at + 4 * size_t(i)), f.I16(at + 4 * size_t(i) + 2));
}

// An EMRTEXT at `at`: its reference point, its box when drawn, and where the
// spacing array (when there is one) takes the last character.
void Text(Span& s, const Fields& f, size_t at) {
    using namespace codec::emf::text;
    const int64_t x = f.I32(at + kReference), y = f.I32(at + kReference + 4);
    const uint32_t chars = f.U32(at + kChars), options = f.U32(at + kOptions), offDx = f.U32(at + kSpacing);
    s.Add(LONG(x), LONG(y));
    if (options & kTextBox) Box(s, f, at + kBox);
    if (offDx == 0) return;
    const bool pairs = (options & ETO_PDY) != 0;
    int64_t dx = 0, dy = 0;
    for (uint32_t i = 0; i < chars; ++i) {
        const size_t step = size_t(offDx) + (pairs ? 8 : 4) * size_t(i);
        dx += f.I32(step);
        if (pairs) dy += f.I32(step + 4);
    }
    s.Add(Clamped(x + dx), Clamped(y + dy));
}

// Lines drawn from the current position start there.
void CurrentPosition(Span& s, HDC dc) {
    POINT p{};
    if (GetCurrentPositionEx(dc, &p)) s.Add(p.x, p.y);
}

// A pen or font size in logical units, as a box from the origin.
void Size(Span& s, LONG width, LONG height) {
    s.Add(0, 0);
    s.Add(width, height);
}

// The logical points that bound what a record draws (none for most records).
void Reach(Span& s, HDC dc, const ENHMETARECORD* record) {
    using namespace codec::emf;
    const Fields f(record);
    switch (record->iType) {
        case kEllipse: case kRectangle: case kRoundRect: return Box(s, f, box::kBox);
        case kArc: case kChord: case kPie:
            Box(s, f, box::kBox);
            Point(s, f, box::kStart);
            return Point(s, f, box::kEnd);
        case kArcTo:
            CurrentPosition(s, dc);
            Box(s, f, box::kBox);
            Point(s, f, box::kStart);
            return Point(s, f, box::kEnd);
        case kAngleArc: {
            const int64_t x = f.I32(angle_arc::kCentre), y = f.I32(angle_arc::kCentre + 4);
            const int64_t r = f.U32(angle_arc::kRadius);
            s.Add(Clamped(x - r), Clamped(y - r));
            s.Add(Clamped(x + r), Clamped(y + r));
            return CurrentPosition(s, dc);
        }
        case kLineTo: CurrentPosition(s, dc); return Point(s, f, point::kPoint);
        case kPolyBezierTo: case kPolylineTo:
            CurrentPosition(s, dc);
            return Points32(s, f, poly::kPoints, f.U32(poly::kCount));
        case kPolyBezier: case kPolygon: case kPolyline: case kPolyDraw:
            return Points32(s, f, poly::kPoints, f.U32(poly::kCount));
        case kPolyBezierTo16: case kPolylineTo16:
            CurrentPosition(s, dc);
            return Points16(s, f, poly::kPoints, f.U32(poly::kCount));
        case kPolyBezier16: case kPolygon16: case kPolyline16: case kPolyDraw16:
            return Points16(s, f, poly::kPoints, f.U32(poly::kCount));
        case kPolyPolyline: case kPolyPolygon:
            return Points32(s, f, poly_poly::kCounts + 4 * size_t(f.U32(poly_poly::kFigures)), f.U32(poly_poly::kCount));
        case kPolyPolyline16: case kPolyPolygon16:
            return Points16(s, f, poly_poly::kCounts + 4 * size_t(f.U32(poly_poly::kFigures)), f.U32(poly_poly::kCount));
        case kBitBlt: case kMaskBlt: return Extent(s, f, kBitBltLayout.dest, kBitBltLayout.destSize);
        case kStretchBlt: case kAlphaBlend: case kTransparentBlt:
            return Extent(s, f, kStretchBltLayout.dest, kStretchBltLayout.destSize);
        case kStretchDIBits: return Extent(s, f, kStretchDIBitsLayout.dest, kStretchDIBitsLayout.destSize);
        case kSetDIBitsToDevice: return Extent(s, f, kSetDIBitsLayout.dest, kSetDIBitsLayout.destSize);
        case kPlgBlt: return Points32(s, f, plg_blt::kCorners, 3);
        case kExtTextOutA: case kExtTextOutW: return Text(s, f, text::kText);
        case kPolyTextOutA: case kPolyTextOutW:
            for (uint32_t i = 0; i < f.U32(poly_text::kStrings); ++i)
                Text(s, f, poly_text::kTexts + text::kTextSize * size_t(i));
            return;
        case kGradientFill:
            for (uint32_t i = 0; i < f.U32(gradient::kVertices); ++i)
                Point(s, f, gradient::kData + gradient::kVertexSize * size_t(i));
            return;
        case kFillRgn: return Box(s, f, fill_rgn::kData + region_data::kBounds);
        case kFrameRgn: return Box(s, f, frame_rgn::kData + region_data::kBounds);
        case kInvertRgn: case kPaintRgn: return Box(s, f, paint_rgn::kData + region_data::kBounds);
        case kCreatePen: return Size(s, f.I32(create_pen::kWidth), f.I32(create_pen::kWidth));
        case kExtCreatePen: return Size(s, f.I32(ext_create_pen::kWidth), f.I32(ext_create_pen::kWidth));
        case kExtCreateFontIndirectW: return Size(s, f.I32(create_font::kWidth), f.I32(create_font::kHeight));
        default: return;
    }
}

// A blit's source corner and size, in its bitmap's pixels.
bool SourceBeyond(const Fields& f, const codec::emf::Blit& b) {
    const size_t size = b.sourceSize ? b.sourceSize : b.destSize;
    for (size_t at : {b.source, b.source + 4, size, size + 4})
        if (std::abs(int64_t(f.I32(at))) > kMaxPlayedExtent) return true;
    return false;
}

// The system stretches a source rectangle in 32-bit arithmetic that a
// source far larger than any bitmap overflows, writing past its buffers.
bool SourceTooLarge(const ENHMETARECORD* record) {
    using namespace codec::emf;
    const Fields f(record);
    switch (record->iType) {
        case kBitBlt: return SourceBeyond(f, kBitBltLayout);
        case kMaskBlt: return SourceBeyond(f, kMaskBltLayout);
        case kStretchBlt: case kAlphaBlend: case kTransparentBlt: return SourceBeyond(f, kStretchBltLayout);
        case kStretchDIBits: return SourceBeyond(f, kStretchDIBitsLayout);
        case kSetDIBitsToDevice: return SourceBeyond(f, kSetDIBitsLayout);
        case kPlgBlt: return SourceBeyond(f, Blit{0, 0, plg_blt::kSource, plg_blt::kSourceSize, {}, 0, {}});
        default: return false;
    }
}

bool IsText(DWORD type) {
    using namespace codec::emf;
    return type == kExtTextOutA || type == kExtTextOutW || type == kPolyTextOutA || type == kPolyTextOutW ||
           type == kSmallTextOut;
}

// The selected font's size, turned by the transform as the text will be.
bool GlyphsTooLarge(HDC dc) {
    LOGFONTW font{};
    if (!GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font)) return false;
    const int64_t size = std::max(std::abs(int64_t(font.lfHeight)), std::abs(int64_t(font.lfWidth)));
    const LONG s = LONG(std::min<int64_t>(size, INT32_MAX));
    POINT corners[3] = {{0, 0}, {s, 0}, {0, s}};
    LPtoDP(dc, corners, 3);
    for (const POINT& p : corners)
        if (std::abs(int64_t(p.x) - corners[0].x) > kMaxGlyphExtent ||
            std::abs(int64_t(p.y) - corners[0].y) > kMaxGlyphExtent)
            return true;
    return false;
}

int CALLBACK PlayRecord(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int objects, LPARAM) {
    Span span(dc);
    Reach(span, dc, record);
    if (span.TooLarge() || SourceTooLarge(record) || (IsText(record->iType) && GlyphsTooLarge(dc))) return 1;
    PlayEnhMetaFileRecord(dc, table, record, UINT(objects));
    return 1;
}

}  // namespace

void PlayWithinReach(HDC dc, HENHMETAFILE metafile, const RECT& frame) {
    // A metafile may save states it never restores, or leave a path, a
    // transform or objects behind: the caller's DC gets its own state back.
    DCStateGuard state(dc);
    EnumEnhMetaFile(dc, metafile, PlayRecord, nullptr, &frame);
}
