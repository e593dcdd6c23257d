// Record-level variants of the valid set: what other programs' writers put
// in metafiles that the system's own recorder does not.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <stdexcept>

#include "tools/metafiles/bytes.h"
#include "tools/metafiles/valid_set.h"

namespace metafiles {
namespace {

const Bytes& Named(const std::vector<File>& files, const std::string& name) {
    for (const File& f : files)
        if (f.name == name) return f.bytes;
    throw std::runtime_error("no recorded file " + name);
}

// A small 24-bit bitmap: 40-byte header, then its rows.
Bytes TrueColourDib(int width, int height, uint32_t statedColours) {
    Bytes d(40, 0);
    Put32(d, 0, 40);
    Put32(d, 4, uint32_t(width));
    Put32(d, 8, uint32_t(height));
    Put16(d, 12, 1);
    Put16(d, 14, 24);
    Put32(d, 32, statedColours);
    const size_t stride = (size_t(width) * 3 + 3) / 4 * 4;
    for (size_t i = 0; i < stride * size_t(height); ++i) d.push_back(uint8_t(i * 29 + (i / stride) * 50));
    return d;
}

// ---- enhanced metafiles ----

constexpr size_t kEmfBytesAt = 48, kEmfRecordsAt = 52;

size_t EmfRecordOf(const Bytes& emf, uint32_t type, int skip = 0) {
    for (size_t at = 0; at + 8 <= emf.size(); at += Get32(emf, at + 4))
        if (Get32(emf, at) == type && skip-- == 0) return at;
    throw std::runtime_error("no such EMF record");
}

// Replaces `count` bytes at `at` with `record`, keeping the header's byte and record counts.
Bytes EmfSplice(const Bytes& emf, size_t at, size_t count, const Bytes& record, int recordsAdded) {
    Bytes out(emf.begin(), emf.begin() + long(at));
    out.insert(out.end(), record.begin(), record.end());
    out.insert(out.end(), emf.begin() + long(at + count), emf.end());
    Put32(out, kEmfBytesAt, Get32(out, kEmfBytesAt) + uint32_t(record.size()) - uint32_t(count));
    Put32(out, kEmfRecordsAt, Get32(out, kEmfRecordsAt) + uint32_t(recordsAdded));
    return out;
}

Bytes EmfInsertBeforeEnd(const Bytes& emf, const Bytes& record) {
    return EmfSplice(emf, EmfRecordOf(emf, EMR_EOF), 0, record, 1);
}

Bytes Record(uint32_t type, Bytes body) {
    Bytes r;
    Append32(r, {type, uint32_t(8 + body.size())});
    r.insert(r.end(), body.begin(), body.end());
    return r;
}

// An extended pen replacing the `skip`th plain pen: a solid one whose
// bitmap offsets point at the record's end with no bitmap, or one with a
// pattern bitmap inside.
Bytes ExtendedPen(const Bytes& emf, int skip, bool pattern) {
    const size_t at = EmfRecordOf(emf, EMR_CREATEPEN, skip);
    const Bytes dib = pattern ? TrueColourDib(8, 8, 0) : Bytes();
    Bytes body;
    const uint32_t end = 56;
    Append32(body, {Get32(emf, at + 8), end, pattern ? 40u : 0u, pattern ? end + 40 : end,
                    pattern ? uint32_t(dib.size() - 40) : 0u});
    // Style, width, brush style, colour, hatch, no style entries (and the slot of one).
    Append32(body, {PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND, 6, pattern ? uint32_t(BS_DIBPATTERNPT) : BS_SOLID,
                    pattern ? DIB_RGB_COLORS : Get32(emf, at + 24), 0, 0, 0});
    body.insert(body.end(), dib.begin(), dib.end());
    return EmfSplice(emf, at, Get32(emf, at + 4), Record(EMR_EXTCREATEPEN, body), 0);
}

// A StretchDIBits record drawing `dib` (header then bits) at (x, y).
Bytes StretchDibits(int x, int y, const Bytes& dib, int width, int height) {
    Bytes body;
    Append32(body, {0, 0, uint32_t(x + width), uint32_t(y + height), uint32_t(x), uint32_t(y), 0, 0,
                    uint32_t(width), uint32_t(height), 80, 40, 120, uint32_t(dib.size() - 40), DIB_RGB_COLORS,
                    SRCCOPY, uint32_t(width), uint32_t(height)});
    body.insert(body.end(), dib.begin(), dib.end());
    return Record(EMR_STRETCHDIBITS, body);
}

// Text drawn with the single-byte record, with or without spacing.
Bytes AnsiText(int x, int y, const char* text, bool spacing) {
    const uint32_t chars = uint32_t(std::strlen(text)), padded = (chars + 3) / 4 * 4;
    Bytes body;
    Append32(body, {0, 0, 160, 120, GM_COMPATIBLE, 0, 0, uint32_t(x), uint32_t(y), chars, 76, 0, 0, 0, 0, 0,
                    spacing ? 76 + padded : 0});
    body.insert(body.end(), text, text + chars);
    body.resize(body.size() + padded - chars, 0);
    if (spacing)
        for (uint32_t i = 0; i < chars; ++i) Append32(body, {11});
    return Record(EMR_EXTTEXTOUTA, body);
}

// A comment holding an EMF+ header record, as dual files carry.
Bytes PlusComment() {
    Bytes data;
    Append32(data, {0x2B464D45, 0x00014001, 28, 16, 0xDBC01002, 0, 96, 96});
    Bytes body;
    Append32(body, {uint32_t(data.size())});
    body.insert(body.end(), data.begin(), data.end());
    return Record(EMR_GDICOMMENT, body);
}

// The end record holding the palette the header announces.
Bytes WithEndPalette(const Bytes& emf) {
    Bytes body;
    Append32(body, {4, 16, 0x000000FF, 0x0000FF00, 0x00FF0000, 0x00808080, 36});
    Bytes out = EmfSplice(emf, EmfRecordOf(emf, EMR_EOF), 20, Record(EMR_EOF, body), 0);
    Put32(out, 68, 4);
    return out;
}

// A pixel-format block after the header's fields, at `offset` (0: right after them).
Bytes WithPixelFormat(const Bytes& emf, uint32_t offset) {
    const uint32_t headerSize = Get32(emf, 4);
    Bytes block(40, 0);
    Put16(block, 0, 40);
    Put16(block, 2, 1);
    Bytes header(emf.begin(), emf.begin() + headerSize);
    header.insert(header.end(), block.begin(), block.end());
    Put32(header, 4, headerSize + 40);
    Put32(header, 88, 40);
    Put32(header, 92, offset ? offset : headerSize);
    return EmfSplice(emf, 0, headerSize, header, 0);
}

Bytes WithDescriptionElsewhere(const Bytes& emf) {
    Bytes out = emf;
    Put32(out, 64, uint32_t(emf.size()) + 64);
    return out;
}

Bytes WithoutSpacing(const Bytes& emf) {
    Bytes out = emf;
    for (size_t at = 0; at + 8 <= out.size(); at += Get32(out, at + 4))
        if (Get32(out, at) == EMR_EXTTEXTOUTW) Put32(out, at + 72, 0);
    return out;
}

Bytes WithTrailing(Bytes file, size_t count) {
    for (size_t i = 0; i < count; ++i) file.push_back(uint8_t(0xA5 ^ i));
    return file;
}

// ---- Windows metafiles ----

// A placeable Windows metafile built record by record, 160 x 120 at 96 per inch.
class WmfBuilder {
public:
    explicit WmfBuilder(uint16_t objects) : objects_(objects) {
        Add(META_SETWINDOWORG, {0, 0});
        Add(META_SETWINDOWEXT, {uint16_t(kHeight), uint16_t(kWidth)});
    }
    void Add(uint16_t function, std::initializer_list<uint16_t> params, const Bytes& tail = {}) {
        Bytes r(6);
        Put16(r, 4, function);
        for (uint16_t p : params) r.insert(r.end(), {uint8_t(p), uint8_t(p >> 8)});
        r.insert(r.end(), tail.begin(), tail.end());
        if (r.size() % 2) r.push_back(0);
        Put32(r, 0, uint32_t(r.size() / 2));
        largest_ = std::max<uint32_t>(largest_, uint32_t(r.size() / 2));
        records_.insert(records_.end(), r.begin(), r.end());
    }
    Bytes Finish() const {
        Bytes file = Placeable(Bytes(18, 0));
        Put16(file, 22, 1);
        Put16(file, 24, 9);
        Put16(file, 26, 0x300);
        Put32(file, 28, uint32_t((18 + records_.size() + 6) / 2));
        Put16(file, 32, objects_);
        Put32(file, 34, largest_);
        file.insert(file.end(), records_.begin(), records_.end());
        file.insert(file.end(), {3, 0, 0, 0, 0, 0});
        return file;
    }

private:
    uint16_t objects_;
    uint32_t largest_ = 3;
    Bytes records_;
};

void Background(WmfBuilder& w, uint16_t slot) {
    w.Add(META_CREATEBRUSHINDIRECT, {BS_SOLID, 0xE0F0, 0x00F0, 0});
    w.Add(META_SELECTOBJECT, {slot});
    w.Add(META_RECTANGLE, {kHeight, kWidth, 0, 0});
}

// A 16 x 16 monochrome bitmap as the 16-bit BITMAP a blit carries: type,
// width, height, bytes per row, planes and depth, then the rows.
Bytes Bitmap16() {
    Bytes b(10 + 32, 0);
    Put16(b, 2, 16);
    Put16(b, 4, 16);
    Put16(b, 6, 2);
    b[8] = 1;
    b[9] = 1;
    for (size_t i = 10; i < b.size(); ++i) b[i] = uint8_t(i % 4 < 2 ? 0xF0 : 0x0F);
    return b;
}

Bytes BitBlts() {
    WmfBuilder w(1);
    Background(w, 0);
    w.Add(META_BITBLT, {0x0020, 0x00CC, 0, 0, 16, 16, 10, 10}, Bitmap16());
    w.Add(META_STRETCHBLT, {0x0020, 0x00CC, 16, 16, 0, 0, 48, 48, 40, 40}, Bitmap16());
    w.Add(META_BITBLT, {0x0021, 0x00F0, 0, 0, 0, 20, 20, 100, 10});
    return w.Finish();
}

// Two scans of a region: count, top, bottom, left, right, count.
Bytes RegionFill() {
    WmfBuilder w(3);
    Background(w, 0);
    w.Add(META_CREATEBRUSHINDIRECT, {BS_SOLID, 0x2080, 0x00C0, 0});
    w.Add(META_CREATEREGION, {0, 6, 0, 0, 46, 2, 2, 20, 20, 140, 100, 2, 20, 60, 20, 140, 2, 2, 60, 100, 60, 100, 2});
    w.Add(META_FILLREGION, {1, 2});
    w.Add(META_PAINTREGION, {2});
    return w.Finish();
}

// A face name that fills its record, with no zero after it.
Bytes FontWithoutZero() {
    WmfBuilder w(2);
    Background(w, 0);
    const char face[] = "Tahoma";
    w.Add(META_CREATEFONTINDIRECT, {uint16_t(-28), 0, 0, 0, FW_BOLD, 0, 0, 0, 0}, Bytes(face, face + 6));
    w.Add(META_SELECTOBJECT, {1});
    // The string, then the position: y, x.
    Bytes text{'L', 'u', 'm', 'e', 'n', 'o', 40, 0, 20, 0};
    w.Add(META_TEXTOUT, {6}, text);
    return w.Finish();
}

// An 8-bit bitmap whose header leaves its colour count 0, with all 256 colours.
Bytes FullColourTable() {
    WmfBuilder w(1);
    Background(w, 0);
    Bytes dib(40 + 1024 + 16, 0);
    Put32(dib, 0, 40);
    Put32(dib, 4, 4);
    Put32(dib, 8, 4);
    Put16(dib, 12, 1);
    Put16(dib, 14, 8);
    for (size_t i = 0; i < 256; ++i) {
        dib[40 + 4 * i] = uint8_t(i);
        dib[41 + 4 * i] = uint8_t(255 - i);
    }
    for (size_t i = 0; i < 16; ++i) dib[40 + 1024 + i] = uint8_t(i * 16);
    w.Add(META_STRETCHDIB, {0x0020, 0x00CC, DIB_RGB_COLORS, 4, 4, 0, 0, 80, 120, 20, 20}, dib);
    return w.Finish();
}

}  // namespace

std::vector<File> WriterVariants(const std::vector<File>& recorded) {
    const Bytes& text = Named(recorded, "text.emf");
    const Bytes& pens = Named(recorded, "pens.emf");
    const Bytes& shapes = Named(recorded, "shapes.emf");
    const Bytes& bitmaps = Named(recorded, "bitmaps.emf");
    Bytes ansi = EmfInsertBeforeEnd(text, AnsiText(10, 90, "spaced", true));
    ansi = EmfInsertBeforeEnd(ansi, AnsiText(90, 90, "plain", false));
    Bytes textWmf = Named(recorded, "text.wmf");
    Bytes patch = Named(recorded, "shapes.wmf");
    return {
        {"description-elsewhere.emf", WithDescriptionElsewhere(text)},
        {"pixel-format.emf", WithPixelFormat(shapes, 0)},
        {"pixel-format-elsewhere.emf", WithPixelFormat(shapes, 0x7FFFFFF0)},
        {"pen-offset-no-bitmap.emf", ExtendedPen(pens, 0, false)},
        {"pattern-pen.emf", ExtendedPen(pens, 1, true)},
        {"true-colour-count.emf", EmfInsertBeforeEnd(bitmaps, StretchDibits(100, 70, TrueColourDib(32, 32, 256), 32, 32))},
        {"text-without-spacing.emf", WithoutSpacing(text)},
        {"ansi-text.emf", ansi},
        {"end-palette.emf", WithEndPalette(Named(recorded, "palette.emf"))},
        {"plus-comment.emf", EmfInsertBeforeEnd(shapes, PlusComment())},
        {"trailing-bytes.emf", WithTrailing(shapes, 64)},
        {"bitblt.wmf", BitBlts()},
        {"region.wmf", RegionFill()},
        {"font-without-zero.wmf", FontWithoutZero()},
        {"full-colour-table.wmf", FullColourTable()},
        {"trailing-bytes.wmf", WithTrailing(patch, 32)},
    };
}

}  // namespace metafiles
