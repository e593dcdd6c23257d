#include "picture/metafile_play.h"

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <cstring>

namespace {

constexpr uint32_t kTextBox = ETO_OPAQUE | ETO_CLIPPED;
constexpr DWORD kSmallTextOut = 108;  // EMR_SMALLTEXTOUT, which not every SDK names

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
class Fields {
public:
    explicit Fields(const ENHMETARECORD* record) : bytes_(reinterpret_cast<const uint8_t*>(record)), size_(record->nSize) {}
    int32_t I32(size_t at) const {
        int32_t v = 0;
        if (at + 4 <= size_) std::memcpy(&v, bytes_ + at, 4);
        return v;
    }
    int16_t I16(size_t at) const {
        int16_t v = 0;
        if (at + 2 <= size_) std::memcpy(&v, bytes_ + at, 2);
        return v;
    }
    uint32_t U32(size_t at) const { return uint32_t(I32(at)); }

private:
    const uint8_t* bytes_;
    size_t size_;
};

void Point(Span& s, const Fields& f, size_t at) { s.Add(f.I32(at), f.I32(at + 4)); }

void Box(Span& s, const Fields& f, size_t at) {
    Point(s, f, at);
    Point(s, f, at + 8);
}

// A corner and a width and height, each a 32-bit field.
void Extent(Span& s, const Fields& f, size_t corner, size_t size) {
    const int64_t x = f.I32(corner), y = f.I32(corner + 4);
    const int64_t right = std::clamp<int64_t>(x + f.I32(size), INT32_MIN, INT32_MAX);
    const int64_t bottom = std::clamp<int64_t>(y + f.I32(size + 4), INT32_MIN, INT32_MAX);
    s.Add(LONG(x), LONG(y));
    s.Add(LONG(right), LONG(bottom));
}

void Points32(Span& s, const Fields& f, size_t at, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) Point(s, f, at + 8 * size_t(i));
}

void Points16(Span& s, const Fields& f, size_t at, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) s.Add(f.I16(at + 4 * size_t(i)), f.I16(at + 4 * size_t(i) + 2));
}

// An EMRTEXT at `at`: its reference point, its box when drawn, and where the
// spacing array takes the last character.
void Text(Span& s, const Fields& f, size_t at) {
    const int64_t x = f.I32(at), y = f.I32(at + 4);
    const uint32_t chars = f.U32(at + 8), options = f.U32(at + 16), offDx = f.U32(at + 36);
    s.Add(LONG(x), LONG(y));
    if (options & kTextBox) Box(s, f, at + 20);
    const bool pairs = (options & ETO_PDY) != 0;
    int64_t dx = 0, dy = 0;
    for (uint32_t i = 0; i < chars; ++i) {
        const size_t step = size_t(offDx) + (pairs ? 8 : 4) * size_t(i);
        dx += f.I32(step);
        if (pairs) dy += f.I32(step + 4);
    }
    s.Add(LONG(std::clamp<int64_t>(x + dx, INT32_MIN, INT32_MAX)), LONG(std::clamp<int64_t>(y + dy, INT32_MIN, INT32_MAX)));
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
    const Fields f(record);
    switch (record->iType) {
        case EMR_ELLIPSE: case EMR_RECTANGLE: case EMR_ROUNDRECT: return Box(s, f, 8);
        case EMR_ARC: case EMR_CHORD: case EMR_PIE: Box(s, f, 8); Point(s, f, 24); return Point(s, f, 32);
        case EMR_ARCTO: CurrentPosition(s, dc); Box(s, f, 8); Point(s, f, 24); return Point(s, f, 32);
        case EMR_ANGLEARC: {
            const int64_t x = f.I32(8), y = f.I32(12), r = f.U32(16);
            s.Add(LONG(std::clamp<int64_t>(x - r, INT32_MIN, INT32_MAX)), LONG(std::clamp<int64_t>(y - r, INT32_MIN, INT32_MAX)));
            s.Add(LONG(std::clamp<int64_t>(x + r, INT32_MIN, INT32_MAX)), LONG(std::clamp<int64_t>(y + r, INT32_MIN, INT32_MAX)));
            return CurrentPosition(s, dc);
        }
        case EMR_LINETO: CurrentPosition(s, dc); return Point(s, f, 8);
        case EMR_POLYBEZIERTO: case EMR_POLYLINETO: CurrentPosition(s, dc); return Points32(s, f, 28, f.U32(24));
        case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYDRAW:
            return Points32(s, f, 28, f.U32(24));
        case EMR_POLYBEZIERTO16: case EMR_POLYLINETO16: CurrentPosition(s, dc); return Points16(s, f, 28, f.U32(24));
        case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16: case EMR_POLYDRAW16:
            return Points16(s, f, 28, f.U32(24));
        case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON: return Points32(s, f, 32 + 4 * size_t(f.U32(24)), f.U32(28));
        case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16: return Points16(s, f, 32 + 4 * size_t(f.U32(24)), f.U32(28));
        case EMR_BITBLT: case EMR_STRETCHBLT: case EMR_MASKBLT: case EMR_ALPHABLEND: case EMR_TRANSPARENTBLT:
            return Extent(s, f, 24, 32);
        case EMR_STRETCHDIBITS: return Extent(s, f, 24, 72);
        case EMR_SETDIBITSTODEVICE: return Extent(s, f, 24, 40);
        case EMR_PLGBLT: return Points32(s, f, 24, 3);
        case EMR_EXTTEXTOUTA: case EMR_EXTTEXTOUTW: return Text(s, f, 36);
        case EMR_POLYTEXTOUTA: case EMR_POLYTEXTOUTW:
            for (uint32_t i = 0; i < f.U32(36); ++i) Text(s, f, 40 + 40 * size_t(i));
            return;
        case EMR_GRADIENTFILL:
            for (uint32_t i = 0; i < f.U32(24); ++i) Point(s, f, 36 + 16 * size_t(i));
            return;
        case EMR_FILLRGN: return Box(s, f, 48);
        case EMR_FRAMERGN: return Box(s, f, 56);
        case EMR_INVERTRGN: case EMR_PAINTRGN: return Box(s, f, 44);
        case EMR_CREATEPEN: return Size(s, f.I32(16), f.I32(16));
        case EMR_EXTCREATEPEN: return Size(s, f.I32(32), f.I32(32));
        case EMR_EXTCREATEFONTINDIRECTW: return Size(s, f.I32(16), f.I32(12));
        default: return;
    }
}

bool IsText(DWORD type) {
    return type == EMR_EXTTEXTOUTA || type == EMR_EXTTEXTOUTW || type == EMR_POLYTEXTOUTA ||
           type == EMR_POLYTEXTOUTW || type == kSmallTextOut;
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
    if (span.TooLarge() || (IsText(record->iType) && GlyphsTooLarge(dc))) return 1;
    PlayEnhMetaFileRecord(dc, table, record, UINT(objects));
    return 1;
}

}  // namespace

void PlayWithinReach(HDC dc, HENHMETAFILE metafile, const RECT& frame) {
    // A metafile may save states it never restores, or leave a path, a
    // transform or objects behind: the caller's DC gets its own state back.
    const int saved = SaveDC(dc);
    EnumEnhMetaFile(dc, metafile, PlayRecord, nullptr, &frame);
    if (saved) RestoreDC(dc, saved);
}
