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

// An 8-bit bitmap whose header leaves its colour count 0 while it holds
// only `colours` entries (other writers' short tables), then its rows.
Bytes ShortTableDib(int width, int height, uint32_t colours) {
    Bytes d(40 + 4 * size_t(colours), 0);
    Put32(d, 0, 40);
    Put32(d, 4, uint32_t(width));
    Put32(d, 8, uint32_t(height));
    Put16(d, 12, 1);
    Put16(d, 14, 8);
    for (uint32_t i = 0; i < colours; ++i) {
        d[40 + 4 * i] = uint8_t(255 - 2 * i);
        d[41 + 4 * i] = uint8_t(60 + i);
        d[42 + 4 * i] = uint8_t(2 * i);
    }
    const size_t stride = (size_t(width) + 3) / 4 * 4;
    for (size_t i = 0; i < stride * size_t(height); ++i) d.push_back(uint8_t((i % stride + i / stride) % colours));
    return d;
}

// A bit blit or stretch blit of `dib` (`table` bytes of header and colours, then bits) at (x, y).
Bytes BlitOf(uint32_t type, int x, int y, const Bytes& dib, uint32_t table, int width, int height) {
    const bool stretch = type == EMR_STRETCHBLT;
    const uint32_t fixed = stretch ? 108 : 100;
    Bytes body;
    Append32(body, {0, 0, uint32_t(x + width), uint32_t(y + height), uint32_t(x), uint32_t(y), uint32_t(width),
                    uint32_t(height), SRCCOPY, 0, 0});
    Append32(body, {0x3F800000, 0, 0, 0x3F800000, 0, 0, 0xFFFFFF, DIB_RGB_COLORS, fixed, table, fixed + table,
                    uint32_t(dib.size() - table)});
    if (stretch) Append32(body, {uint32_t(width), uint32_t(height)});
    body.insert(body.end(), dib.begin(), dib.end());
    return Record(type, body);
}

Bytes ShortTables(const Bytes& emf) {
    const Bytes dib = ShortTableDib(24, 24, 100);
    Bytes stretch = StretchDibits(100, 70, dib, 24, 24);
    Put32(stretch, 52, 440);  // header and colours
    Put32(stretch, 56, 80 + 440);
    Put32(stretch, 60, uint32_t(dib.size() - 440));
    Bytes out = EmfInsertBeforeEnd(emf, stretch);
    out = EmfInsertBeforeEnd(out, BlitOf(EMR_BITBLT, 130, 70, dib, 440, 24, 24));
    return EmfInsertBeforeEnd(out, BlitOf(EMR_STRETCHBLT, 100, 96, dib, 440, 24, 24));
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

// The alpha blend read with another colour usage, as some writers store it
// for a bitmap whose colours are in the bits.
Bytes BlendUsage(const Bytes& emf, uint32_t usage) {
    Bytes out = emf;
    Put32(out, EmfRecordOf(emf, EMR_ALPHABLEND) + 80, usage);
    return out;
}

Bytes WithTrailing(Bytes file, size_t count) {
    for (size_t i = 0; i < count; ++i) file.push_back(uint8_t(0xA5 ^ i));
    return file;
}

// The records the system's player plays that its recorder does not write,
// each as another writer would, drawn over `emf` with objects in slots the
// header is given.
Bytes Words(std::initializer_list<uint32_t> words) {
    Bytes b;
    Append32(b, words);
    return b;
}

Bytes TextRecord(uint32_t type, const Bytes& string, uint32_t chars) {
    // Bounds, graphics mode, scales 1.0, one string: reference, count, string offset, options, box, spacing offset.
    const uint32_t at = 80, spacing = at + uint32_t(string.size());
    Bytes body = Words({0, 0, 160, 120, GM_COMPATIBLE, 0x3F800000, 0x3F800000, 1, 96, 100, chars, at, 0, 0, 0, 0, 0,
                        spacing});
    body.insert(body.end(), string.begin(), string.end());
    for (uint32_t i = 0; i < chars; ++i) Append32(body, {9});
    return Record(type, body);
}

Bytes OtherWritersRecords(const Bytes& emf) {
    const uint32_t slot = Get32(emf, 56);  // the first slot past the recorder's
    Bytes colourSpace = Words({slot + 1, 0x50534F43, 0x400, 328, 0x73524742, 4});
    colourSpace.resize(4 + 328, 0);
    Bytes adjustment(24, 0);
    Put16(adjustment, 0, 24);
    for (size_t at : {6, 8, 10}) Put16(adjustment, at, 10000);
    Put16(adjustment, 14, 10000);
    Bytes pixelFormat(40, 0);
    Put16(pixelFormat, 0, 40);
    Put16(pixelFormat, 2, 1);
    Put32(pixelFormat, 4, 0x24);  // drawn to a window, with OpenGL
    const char ansi[] = "poly";
    const uint8_t wide[] = {'t', 0, 'e', 0, 'x', 0, 't', 0};
    const std::vector<Bytes> records = {
        Record(EMR_SETBRUSHORGEX, Words({2, 2})),
        Record(EMR_SETCOLORADJUSTMENT, adjustment),
        Record(EMR_SETMITERLIMIT, Words({0x40800000})),
        Record(EMR_SETICMMODE, Words({ICM_OFF})),
        Record(EMR_SETLAYOUT, Words({0})),
        Record(EMR_CREATEPALETTE, Words({slot, 0x00020300, 0x00FF0000, 0x0000FF00})),
        Record(EMR_SETPALETTEENTRIES, Words({slot, 1, 1, 0x00C08000})),
        Record(EMR_RESIZEPALETTE, Words({slot, 4})),
        Record(EMR_SELECTPALETTE, Words({slot})),
        Record(EMR_REALIZEPALETTE, {}),
        Record(EMR_CREATECOLORSPACE, colourSpace),
        Record(EMR_SETCOLORSPACE, Words({slot + 1})),
        Record(EMR_DELETECOLORSPACE, Words({slot + 1})),
        Record(EMR_PIXELFORMAT, pixelFormat),
        Record(EMR_POLYGON, Words({100, 92, 150, 118, 3, 100, 118, 125, 92, 150, 118})),
        Record(EMR_POLYLINE, Words({4, 92, 40, 118, 3, 4, 118, 22, 92, 40, 118})),
        Record(EMR_POLYBEZIER, Words({44, 92, 90, 118, 4, 44, 118, 60, 80, 75, 130, 90, 92})),
        Record(EMR_MOVETOEX, Words({4, 4})),
        Record(EMR_POLYLINETO, Words({4, 4, 40, 20, 2, 20, 10, 40, 4})),
        Record(EMR_POLYBEZIERTO, Words({40, 4, 80, 20, 3, 50, 20, 70, 0, 80, 10})),
        Record(EMR_POLYDRAW, Words({80, 4, 120, 30, 3, 80, 30, 100, 4, 120, 30, PT_MOVETO | PT_LINETO << 8 | PT_LINETO << 16})),
        Record(EMR_POLYPOLYLINE, Words({4, 30, 60, 50, 2, 4, 2, 2, 4, 30, 60, 30, 4, 50, 60, 50})),
        Record(EMR_POLYPOLYGON, Words({64, 30, 96, 60, 1, 3, 3, 64, 60, 80, 30, 96, 60})),
        Record(EMR_POLYPOLYLINE16, Words({100, 30, 150, 60, 1, 2, 2, 100 | 30 << 16, 150 | 60 << 16})),
        Record(EMR_EXTFLOODFILL, Words({2, 2, 0x00FFFFFF, FLOODFILLSURFACE})),
        TextRecord(EMR_POLYTEXTOUTA, Bytes(ansi, ansi + 4), 4),
        TextRecord(EMR_POLYTEXTOUTW, Bytes(wide, wide + 8), 4),
        Record(EMR_SETMETARGN, {}),
    };
    Bytes out = emf;
    Put16(out, 56, uint16_t(slot + 2));
    for (const Bytes& record : records) out = EmfInsertBeforeEnd(out, record);
    return out;
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

// A face name of "System" and its zero alone, the record 32 bytes, among
// the last records of the file.
Bytes ShortFaceName() {
    WmfBuilder w(2);
    Background(w, 0);
    Bytes text{'S', 'h', 'o', 'r', 't', ' ', 'f', 'a', 'c', 'e', 30, 0, 10, 0};
    w.Add(META_TEXTOUT, {10}, text);
    const char face[] = "System";
    w.Add(META_CREATEFONTINDIRECT, {uint16_t(-20), 0, 0, 0, FW_NORMAL, 0, 0, 0, 0}, Bytes(face, face + 7));
    w.Add(META_SELECTOBJECT, {1});
    return w.Finish();
}

// 8-bit bitmaps whose headers leave their colour count 0 while the records
// hold 100 colours: stretched, blitted and as a brush.
Bytes ShortColourTables() {
    WmfBuilder w(2);
    Background(w, 0);
    const Bytes dib = ShortTableDib(16, 16, 100);
    w.Add(META_STRETCHDIB, {0x0020, 0x00CC, DIB_RGB_COLORS, 16, 16, 0, 0, 40, 40, 10, 10}, dib);
    w.Add(META_DIBSTRETCHBLT, {0x0020, 0x00CC, 16, 16, 0, 0, 40, 40, 10, 60}, dib);
    w.Add(META_DIBBITBLT, {0x0020, 0x00CC, 0, 0, 16, 16, 20, 110}, dib);
    w.Add(META_DIBCREATEPATTERNBRUSH, {BS_DIBPATTERN, DIB_RGB_COLORS}, dib);
    w.Add(META_SELECTOBJECT, {1});
    w.Add(META_RECTANGLE, {100, 150, 60, 110});
    return w.Finish();
}

// The functions the system's player plays that its recorder does not
// write, each as another writer would.
Bytes OtherWritersFunctions() {
    WmfBuilder w(4);
    Background(w, 0);
    w.Add(META_SETMAPMODE, {MM_ANISOTROPIC});
    w.Add(META_SETRELABS, {1});
    w.Add(META_SAVEDC, {});
    w.Add(META_SETVIEWPORTORG, {0, 0});
    w.Add(META_SETVIEWPORTEXT, {kHeight, kWidth});
    w.Add(META_OFFSETVIEWPORTORG, {0, 0});
    w.Add(META_SCALEVIEWPORTEXT, {1, 1, 1, 1});
    w.Add(META_RESTOREDC, {uint16_t(-1)});
    // A region, and clipping to it; then no clipping.
    w.Add(META_CREATEREGION, {0, 6, 0, 0, 30, 1, 2, 4, 4, 40, 40, 2, 4, 40, 4, 40, 2});
    w.Add(META_SELECTCLIPREGION, {1});
    w.Add(META_RECTANGLE, {60, 60, 0, 0});
    w.Add(META_SELECTCLIPREGION, {0});
    // An 8 x 8 monochrome pattern: an info header the player takes the size
    // from, two words, then rows of 16 bits.
    Bytes pattern(40 + 4, 0);
    Put32(pattern, 0, 40);
    Put32(pattern, 4, 8);
    Put32(pattern, 8, 8);
    Put16(pattern, 12, 1);
    Put16(pattern, 14, 1);
    for (int row = 0; row < 8; ++row) pattern.insert(pattern.end(), {uint8_t(row % 2 ? 0xAA : 0x55), 0});
    w.Add(META_CREATEPATTERNBRUSH, {BS_PATTERN, 0}, pattern);
    w.Add(META_SELECTOBJECT, {2});
    w.Add(META_RECTANGLE, {110, 150, 70, 100});
    w.Add(META_SELECTOBJECT, {0});
    w.Add(META_FLOODFILL, {0x0000, 0x0000, 90, 50});
    w.Add(META_EXTFLOODFILL, {FLOODFILLSURFACE, 0xF0E0, 0x00F0, 10, 150});
    return w.Finish();
}

// An escape whose byte count runs past its record.
Bytes LongEscape() {
    WmfBuilder w(1);
    Background(w, 0);
    w.Add(META_ESCAPE, {MFCOMMENT, 400, 0x6F4B, 0x7672, 0x6C65});
    w.Add(META_ELLIPSE, {100, 120, 20, 40});
    return w.Finish();
}

// A region record of four parameter words, too short for a region, before
// the brush that the next records select by its number.
Bytes ShortRegion() {
    WmfBuilder w(3);
    Background(w, 0);
    w.Add(META_CREATEREGION, {0, 6, 0, 0});
    w.Add(META_CREATEBRUSHINDIRECT, {BS_SOLID, 0x20C0, 0x0040, 0});
    w.Add(META_SELECTOBJECT, {2});
    w.Add(META_ELLIPSE, {110, 150, 10, 10});
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
        {"short-colour-tables.emf", ShortTables(shapes)},
        {"other-writers-records.emf", OtherWritersRecords(shapes)},
        {"blend-palette-usage.emf", BlendUsage(Named(recorded, "blits.emf"), DIB_PAL_COLORS)},
        {"bitblt.wmf", BitBlts()},
        {"region.wmf", RegionFill()},
        {"font-without-zero.wmf", FontWithoutZero()},
        {"full-colour-table.wmf", FullColourTable()},
        {"trailing-bytes.wmf", WithTrailing(patch, 32)},
        {"short-face-name.wmf", ShortFaceName()},
        {"short-colour-tables.wmf", ShortColourTables()},
        {"long-escape.wmf", LongEscape()},
        {"short-region.wmf", ShortRegion()},
        {"other-writers-functions.wmf", OtherWritersFunctions()},
    };
}

}  // namespace metafiles
