#include "hostile_samples.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "jpeg_testing.h"
#include "picture/codec/little_endian.h"
#include "picture_testing.h"
#include "tools/metafiles/valid_set.h"
#include "ui/gdi.h"

namespace pictest {

namespace {
using Bytes = std::vector<uint8_t>;

using codec::le::Put16;
using codec::le::Put32;
uint16_t Get16(const Bytes& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }
uint32_t Get32(const Bytes& b, size_t at) { return Get16(b, at) | uint32_t(Get16(b, at + 2)) << 16; }

void Add(std::vector<Field>& fields, size_t at, uint8_t width, bool bigEndian = false) {
    fields.push_back(Field{at, width, bigEndian});
}

// ---- bitmaps ----

// The file header's size and offset, then every field of the info header.
std::vector<Field> BmpFieldList() {
    std::vector<Field> f;
    Add(f, 2, 4);
    Add(f, 10, 4);
    Add(f, 14, 4);  // header size
    Add(f, 18, 4);  // width
    Add(f, 22, 4);  // height
    Add(f, 26, 2);  // planes
    Add(f, 28, 2);  // bit count
    for (size_t at = 30; at < 54; at += 4) Add(f, at, 4);  // compression .. colours important
    return f;
}

Sample Bmp24() {
    BmpFields b;
    b.width = 5;
    b.height = 3;
    b.bits = 24;
    for (int i = 0; i < 3 * 16; ++i) b.pixels.push_back(uint8_t(i * 37));
    return Sample{"bmp-24", "bmp", "TBitmap", BuildBmp(b), BmpFieldList(), {}, {}, false};
}

Sample Bmp8() {
    BmpFields b;
    b.width = 4;
    b.height = 3;
    b.bits = 8;
    b.clrUsed = 4;
    b.colours = {0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0};
    b.pixels = {0, 1, 2, 3, 3, 2, 1, 0, 1, 1, 2, 2};
    return Sample{"bmp-8", "bmp", "TBitmap", BuildBmp(b), BmpFieldList(), {}, {}, false};
}

// Runs, an absolute run, a move, ends of lines and the end of the bitmap;
// every command byte is a field too.
Sample BmpRle8() {
    BmpFields b;
    b.width = 6;
    b.height = 4;
    b.bits = 8;
    b.compression = 1;
    b.clrUsed = 3;
    b.colours = {0, 0, 0, 0, 0, 200, 0, 0, 200, 0, 0, 0};
    b.pixels = {3, 1, 3, 2, 0, 0,           // row 0: two runs
                0, 4, 0, 1, 2, 1, 2, 0, 0, 0,  // row 1: absolute run of four, a run of two
                0, 2, 2, 1,                 // move two right and one down
                4, 2, 0, 1};                // four pixels, end of bitmap
    b.sizeImage = uint32_t(b.pixels.size());
    Sample s{"bmp-rle8", "bmp", "TBitmap", BuildBmp(b), BmpFieldList(), {}, {}, false};
    const size_t data = s.bytes.size() - b.pixels.size();
    for (size_t i = 0; i < b.pixels.size(); ++i) Add(s.fields, data + i, 1);
    return s;
}

// ---- JPEG ----

bool Standalone(uint8_t marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8); }

void AddSegmentFields(std::vector<Field>& f, const Bytes& j, size_t at, uint8_t marker) {
    const size_t length = size_t(j[at + 2]) << 8 | j[at + 3];
    const size_t body = at + 4, end = std::min(j.size(), at + 2 + length);
    Add(f, at + 2, 2, true);
    if ((marker >= 0xC0 && marker <= 0xC3) && body + 6 <= end) {  // frame: precision, height, width, components
        Add(f, body, 1);
        Add(f, body + 1, 2, true);
        Add(f, body + 3, 2, true);
        Add(f, body + 5, 1);
        for (size_t c = body + 6; c + 3 <= end; c += 3) {
            Add(f, c + 1, 1);  // sampling factors
            Add(f, c + 2, 1);  // quantisation table
        }
    } else if (marker == 0xC4) {  // Huffman tables: class and number, then the 16 counts
        for (size_t t = body; t + 17 <= end;) {
            size_t symbols = 0;
            for (size_t i = 0; i < 17; ++i) Add(f, t + i, 1);
            for (size_t i = 1; i < 17; ++i) symbols += j[t + i];
            t += 17 + symbols;
        }
    } else if (marker == 0xDB) {  // quantisation tables: precision and number
        for (size_t t = body; t < end; t += 65) Add(f, t, 1);
    } else if (marker == 0xDA && body < end) {  // scan: components, their tables, spectral selection
        Add(f, body, 1);
        for (size_t i = body + 1; i < end; ++i) Add(f, i, 1);
    } else if (marker == 0xDD && body + 2 <= end) {  // restart interval
        Add(f, body, 2, true);
    }
}

// Every marker segment of the file, scans included.
std::vector<Field> JpegFieldList(const Bytes& j) {
    std::vector<Field> f;
    size_t at = 2;
    while (at + 4 <= j.size()) {
        if (j[at] != 0xFF) {
            ++at;  // entropy-coded data
            continue;
        }
        const uint8_t marker = j[at + 1];
        if (marker == 0x00 || marker == 0xFF || Standalone(marker)) {
            at += marker == 0xFF ? 1 : 2;
            continue;
        }
        if (marker == 0xD9) break;
        AddSegmentFields(f, j, at, marker);
        at += 2 + (size_t(j[at + 2]) << 8 | j[at + 3]);
    }
    return f;
}

Sample Jpeg(bool progressive) {
    JpegFields picture;
    picture.width = 24;
    picture.height = 16;
    picture.top = 0xFF0000;
    picture.bottom = 0x0000FF;
    picture.progressive = progressive;
    Bytes bytes = BuildJpeg(picture);
    std::vector<Field> fields = JpegFieldList(bytes);
    return Sample{progressive ? "jpeg-progressive" : "jpeg-baseline", "jpg", "TJPEGImage", std::move(bytes),
                  std::move(fields), {}, {}, false};
}

// ---- icons ----

// A 16 x 16 image of `bits` per pixel: header, colour table, colour part, mask.
Bytes IconImage(uint16_t bits) {
    const int size = 16;
    const size_t table = bits <= 8 ? size_t(4) << bits : 0;
    const size_t stride = (size_t(size) * bits + 31) / 32 * 4, maskStride = 4;
    Bytes image(40 + table + stride * size + maskStride * size, 0);
    Put32(image, 0, 40);
    Put32(image, 4, size);
    Put32(image, 8, 2 * size);
    Put16(image, 12, 1);
    Put16(image, 14, bits);
    for (size_t i = 0; i < table; i += 4) image[40 + i + 2] = uint8_t(i * 4);
    for (size_t i = 40 + table; i < 40 + table + stride * size; ++i) image[i] = uint8_t(i * 13);
    for (size_t row = 0; row < size_t(size) / 2; ++row) image[image.size() - maskStride * (row + 1)] = 0xF0;
    return image;
}

Sample Icon() {
    const Bytes images[2] = {IconImage(4), IconImage(24)};
    Bytes file(6 + 2 * 16, 0);
    Put16(file, 2, 1);
    Put16(file, 4, 2);
    for (size_t i = 0; i < 2; ++i) {
        const size_t at = 6 + 16 * i;
        file[at] = file[at + 1] = 16;
        Put16(file, at + 2, i == 0 ? 16 : 0);  // colour count byte and reserved byte
        Put16(file, at + 4, 1);
        Put16(file, at + 6, Get16(images[i], 14));
        Put32(file, at + 8, uint32_t(images[i].size()));
        Put32(file, at + 12, uint32_t(file.size()));
        file.insert(file.end(), images[i].begin(), images[i].end());
    }
    std::vector<Field> f;
    Add(f, 2, 2);
    Add(f, 4, 2);
    for (size_t i = 0; i < 2; ++i) {
        const size_t at = 6 + 16 * i;
        Add(f, at, 1);
        Add(f, at + 1, 1);
        for (size_t w = 2; w < 8; w += 2) Add(f, at + w, 2);
        Add(f, at + 8, 4);
        Add(f, at + 12, 4);
        const size_t image = Get32(file, at + 12);
        for (size_t h : {0, 4, 8}) Add(f, image + h, 4);
        Add(f, image + 12, 2);
        Add(f, image + 14, 2);
        for (size_t h : {16, 20, 32}) Add(f, image + h, 4);
    }
    return Sample{"ico", "ico", "TIcon", std::move(file), std::move(f), {}, {}, false};
}

// An icon whose one image is a PNG of 2 x 2 pixels, 16 bits a channel (as image tools write
// opaque pictures, and as the system's icon loader in Wine cannot read them).
Sample PngIcon() {
    Bytes file = {0, 0, 1, 0, 1, 0, 2, 2, 0, 0, 1, 0, 32, 0, 79, 0, 0, 0, 22, 0, 0, 0,
                  0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52, 0x00,
                  0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x10, 0x02, 0x00, 0x00, 0x00, 0xad, 0x44, 0x46, 0x30, 0x00,
                  0x00, 0x00, 0x16, 0x49, 0x44, 0x41, 0x54, 0x08, 0xd7, 0x63, 0xf8, 0xff, 0xff, 0xff, 0x7f, 0x06, 0x86,
                  0xff, 0xff, 0x19, 0x60, 0x00, 0xc6, 0x05, 0x00, 0x98, 0x81, 0x09, 0xf7, 0x1c, 0x82, 0x7e, 0xa3, 0x00,
                  0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
    std::vector<Field> f;  // the entry's size and offset; the PNG's chunk lengths, width and height
    for (size_t at : {14, 18, 30, 38, 42, 55, 89}) Add(f, at, 4, at > 22);
    return Sample{"ico-png", "ico", "TIcon", std::move(file), std::move(f), {}, {}, false};
}

// ---- metafiles ----

// Pens, brushes, a palette, a region, shapes, text and a DIB: the records
// whose counts, offsets and object numbers the system reads.
EnhMetafile Drawing() {
    WindowDC screen(nullptr);
    const int pw = GetDeviceCaps(screen.get(), HORZRES), ph = GetDeviceCaps(screen.get(), VERTRES);
    const int mw = GetDeviceCaps(screen.get(), HORZSIZE), mh = GetDeviceCaps(screen.get(), VERTSIZE);
    const RECT frame{0, 0, MulDiv(48, mw * 100, pw), MulDiv(32, mh * 100, ph)};
    HDC dc = CreateEnhMetaFileA(screen.get(), nullptr, &frame, nullptr);
    {
        Pen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 255)));
        Brush brush(CreateSolidBrush(RGB(200, 40, 10)));
        SelectGuard keepPen(dc, pen.get());
        SelectGuard keepBrush(dc, brush.get());
        Rectangle(dc, 2, 2, 30, 20);
        Ellipse(dc, 10, 10, 40, 30);
        const POINT points[4] = {{1, 30}, {20, 25}, {30, 31}, {47, 1}};
        Polyline(dc, points, 4);
        Polygon(dc, points, 3);
        Region region(CreateRectRgn(34, 2, 46, 12));
        FillRgn(dc, region.get(), brush.get());
        Font font(CreateFontA(-12, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial"));
        SelectGuard keepFont(dc, font.get());
        TextOutA(dc, 4, 4, "Ab", 2);
        const uint32_t pixels[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF};
        BITMAPINFO bi{};
        bi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 2, 2, 1, 32, BI_RGB, sizeof pixels, 0, 0, 0, 0};
        StretchDIBits(dc, 36, 20, 8, 8, 0, 0, 2, 2, pixels, &bi, DIB_RGB_COLORS, SRCCOPY);
        uint8_t buffer[sizeof(LOGPALETTE) + 3 * sizeof(PALETTEENTRY)] = {};
        auto* log = reinterpret_cast<LOGPALETTE*>(buffer);
        log->palVersion = 0x300;
        log->palNumEntries = 4;
        for (int i = 0; i < 4; ++i) log->palPalEntry[i] = PALETTEENTRY{BYTE(60 * i), 0, BYTE(255 - 60 * i), 0};
        Palette palette(CreatePalette(log));
        const HPALETTE old = SelectPalette(dc, palette.get(), FALSE);
        RealizePalette(dc);
        SelectPalette(dc, old, FALSE);
    }
    return EnhMetafile(CloseEnhMetaFile(dc));
}

// The header's fields after the signature, then each record's size and the
// first sixteen words of its parameters.
std::vector<Field> EmfFields(const Bytes& emf, std::vector<Field>& types) {
    std::vector<Field> f;
    for (size_t at = 4; at < 40; at += 4) Add(f, at, 4);
    const size_t headerEnd = std::min<size_t>(Get32(emf, 4), 108);
    for (size_t at = 44; at + 4 <= headerEnd; at += 4) Add(f, at, 4);
    const std::vector<size_t> records = EmfRecords(emf);
    for (size_t i = 1; i < records.size(); ++i) {
        const size_t at = records[i], size = Get32(emf, at + 4);
        Add(types, at, 4);
        Add(f, at + 4, 4);
        for (size_t p = 8; p < std::min<size_t>(size, 8 + 4 * 16); p += 4) Add(f, at + p, 4);
    }
    return f;
}

// The system's converter keeps the enhanced metafile a WMF was made from in
// a comment escape ("WMFC"): its fields too.
void AddEmbeddedEmf(std::vector<Field>& f, const Bytes& wmf, size_t at, size_t bytes) {
    const size_t comment = at + 10, emf = comment + 34;
    if (Get16(wmf, at + 4) != META_ESCAPE || Get16(wmf, at + 6) != MFCOMMENT || bytes < 10 + 34 + 100) return;
    if (Get32(wmf, comment) != 0x43464D57) return;
    const size_t size = std::min<size_t>(Get32(wmf, comment + 30), at + bytes - emf);
    std::vector<Field> ignored;
    for (Field field : EmfFields(Bytes(wmf.begin() + long(emf), wmf.begin() + long(emf + size)), ignored)) {
        field.at += emf;
        f.push_back(field);
    }
    for (size_t c = comment + 4; c < emf; c += 4) Add(f, c, 4);
}

// The placeable header's box and units, the metafile header's sizes, then
// each record's size and the first sixteen words of its parameters.
std::vector<Field> WmfFields(const Bytes& wmf, std::vector<Field>& types) {
    std::vector<Field> f;
    for (size_t at = 6; at <= 14; at += 2) Add(f, at, 2);
    Add(f, 22, 2);
    Add(f, 24, 2);
    Add(f, 28, 4);
    Add(f, 32, 2);
    Add(f, 34, 4);
    Add(f, 38, 2);
    for (size_t at : WmfRecords(wmf)) {
        const size_t bytes = size_t(Get32(wmf, at)) * 2;
        Add(f, at, 4);
        Add(types, at + 4, 2);
        for (size_t p = 6; p < std::min<size_t>(bytes, 6 + 2 * 16); p += 2) Add(f, at + p, 2);
        AddEmbeddedEmf(f, wmf, at, bytes);
    }
    return f;
}
// Every function number of the Windows metafile records, the end record's 0 too.
std::vector<uint32_t> WmfFunctions();

// A metafile sample with its fields and record types.
Sample MetafileSample(const std::string& name, Bytes bytes, bool enhanced) {
    if (enhanced) {
        Sample emf{name, "emf", "TMetafile", std::move(bytes), {}, {}, {}, false};
        emf.fields = EmfFields(emf.bytes, emf.recordTypes);
        for (uint32_t type = EMR_HEADER; type <= EMR_MAX; ++type) emf.typeValues.push_back(type);
        return emf;
    }
    Sample wmf{name, "wmf", "TMetafile", std::move(bytes), {}, {}, WmfFunctions(), true};
    wmf.fields = WmfFields(wmf.bytes, wmf.recordTypes);
    return wmf;
}

std::vector<uint32_t> WmfFunctions() {
    return {0,
            META_SETBKCOLOR, META_SETBKMODE, META_SETMAPMODE, META_SETROP2, META_SETRELABS,
            META_SETPOLYFILLMODE, META_SETSTRETCHBLTMODE, META_SETTEXTCHAREXTRA, META_SETTEXTCOLOR,
            META_SETTEXTJUSTIFICATION, META_SETWINDOWORG, META_SETWINDOWEXT, META_SETVIEWPORTORG,
            META_SETVIEWPORTEXT, META_OFFSETWINDOWORG, META_SCALEWINDOWEXT, META_OFFSETVIEWPORTORG,
            META_SCALEVIEWPORTEXT, META_LINETO, META_MOVETO, META_EXCLUDECLIPRECT, META_INTERSECTCLIPRECT,
            META_ARC, META_ELLIPSE, META_FLOODFILL, META_PIE, META_RECTANGLE, META_ROUNDRECT, META_PATBLT,
            META_SAVEDC, META_SETPIXEL, META_OFFSETCLIPRGN, META_TEXTOUT, META_BITBLT, META_STRETCHBLT,
            META_POLYGON, META_POLYLINE, META_ESCAPE, META_RESTOREDC, META_FILLREGION, META_FRAMEREGION,
            META_INVERTREGION, META_PAINTREGION, META_SELECTCLIPREGION, META_SELECTOBJECT, META_SETTEXTALIGN,
            META_CHORD, META_SETMAPPERFLAGS, META_EXTTEXTOUT, META_SETDIBTODEV, META_SELECTPALETTE,
            META_REALIZEPALETTE, META_ANIMATEPALETTE, META_SETPALENTRIES, META_POLYPOLYGON,
            META_RESIZEPALETTE, META_DIBBITBLT, META_DIBSTRETCHBLT, META_DIBCREATEPATTERNBRUSH,
            META_STRETCHDIB, META_EXTFLOODFILL, META_DELETEOBJECT, META_CREATEPALETTE,
            META_CREATEPATTERNBRUSH, META_CREATEPENINDIRECT, META_CREATEFONTINDIRECT,
            META_CREATEBRUSHINDIRECT, META_CREATEREGION};
}
}  // namespace

std::vector<uint8_t> SampleEmf() {
    EnhMetafile emf = Drawing();
    Bytes bytes(GetEnhMetaFileBits(emf.get(), 0, nullptr));
    GetEnhMetaFileBits(emf.get(), UINT(bytes.size()), bytes.data());
    return bytes;
}

std::vector<uint8_t> SampleWmf() {
    EnhMetafile emf = Drawing();
    WindowDC screen(nullptr);
    Bytes records(GetWinMetaFileBits(emf.get(), 0, nullptr, MM_ANISOTROPIC, screen.get()));
    GetWinMetaFileBits(emf.get(), UINT(records.size()), records.data(), MM_ANISOTROPIC, screen.get());
    // 720 x 480 units at 1440 per inch: 48 x 32 pixels on a 96-pixel screen.
    Bytes file(22 + records.size(), 0);
    std::copy(records.begin(), records.end(), file.begin() + 22);
    Put32(file, 0, 0x9AC6CDD7);
    Put16(file, 10, 720);
    Put16(file, 12, 480);
    Put16(file, 14, 1440);
    uint16_t sum = 0;
    for (size_t i = 0; i < 20; i += 2) sum ^= Get16(file, i);
    Put16(file, 20, sum);
    return file;
}

std::vector<size_t> EmfRecords(const std::vector<uint8_t>& emf) {
    std::vector<size_t> out;
    for (size_t at = 0; at + 8 <= emf.size();) {
        const size_t size = Get32(emf, at + 4);
        if (size < 8) break;
        out.push_back(at);
        at += size;
    }
    return out;
}

std::vector<size_t> WmfRecords(const std::vector<uint8_t>& wmf) {
    std::vector<size_t> out;
    for (size_t at = 22 + 18; at + 6 <= wmf.size();) {
        const size_t bytes = size_t(Get32(wmf, at)) * 2;
        if (bytes < 6) break;
        out.push_back(at);
        at += bytes;
    }
    return out;
}

std::vector<Sample> HostileSamples() {
    std::vector<Sample> samples{Bmp24(), Bmp8(), BmpRle8(), Jpeg(false), Jpeg(true), Icon(), PngIcon()};
    samples.push_back(MetafileSample("emf", SampleEmf(), true));
    samples.push_back(MetafileSample("wmf", SampleWmf(), false));
    // LUMENO_HOSTILE_SET=a.emf,b.wmf adds those files of the valid set, for runs by hand.
    const char* chosen = std::getenv("LUMENO_HOSTILE_SET");
    if (!chosen) return samples;
    const std::string names = std::string(",") + chosen + ",";
    for (const metafiles::File& file : metafiles::ValidSet())
        if (names.find("," + file.name + ",") != std::string::npos)
            samples.push_back(MetafileSample(file.name, file.bytes, file.name.substr(file.name.size() - 4) == ".emf"));
    return samples;
}

}  // namespace pictest
