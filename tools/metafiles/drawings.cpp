// The drawings of the valid set, recorded through the system's recording
// device contexts: one per family of drawing calls.
#include <windows.h>

#include <cmath>
#include <cstring>

#include "tools/metafiles/bytes.h"
#include "tools/metafiles/valid_set.h"
#include "ui/gdi.h"

namespace metafiles {
namespace {

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    Brush brush(CreateSolidBrush(colour));
    const RECT box{left, top, right, bottom};
    FillRect(dc, &box, brush.get());
}

// A device-independent bitmap: header (with masks or colours) and bits.
struct Dib {
    Bytes info;
    Bytes bits;
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(info.data()); }
};

// A `width` x `height` bitmap of `bits` per pixel in stripes of colour; a
// colour table of `colours` entries (the header says so unless it is the
// depth's full table and `statedCount` is false).
Dib MakeDib(int width, int height, int bits, uint32_t colours, bool statedCount = true) {
    Dib d;
    const bool masks = bits == 16;
    d.info.assign(40 + (masks ? 12 : 0) + 4 * colours, 0);
    Put32(d.info, 0, 40);
    Put32(d.info, 4, uint32_t(width));
    Put32(d.info, 8, uint32_t(height));
    Put16(d.info, 12, 1);
    Put16(d.info, 14, uint16_t(bits));
    Put32(d.info, 16, masks ? BI_BITFIELDS : BI_RGB);
    Put32(d.info, 32, statedCount ? colours : 0);
    if (masks) {
        Put32(d.info, 40, 0xF800);
        Put32(d.info, 44, 0x07E0);
        Put32(d.info, 48, 0x001F);
    }
    for (uint32_t i = 0; i < colours; ++i) {
        const size_t at = 40 + 4 * size_t(i);
        d.info[at] = uint8_t(40 + 90 * (i % 3));
        d.info[at + 1] = uint8_t(200 - 50 * (i % 4));
        d.info[at + 2] = uint8_t(30 + 70 * (i % 5));
    }
    const size_t stride = (size_t(width) * bits + 31) / 32 * 4;
    d.bits.resize(stride * size_t(height));
    Put32(d.info, 20, uint32_t(d.bits.size()));  // the Windows metafile recorder copies this many
    for (size_t i = 0; i < d.bits.size(); ++i) d.bits[i] = uint8_t((i / 3 + i / stride) * 37 + 11);
    if (colours && bits <= 8)
        for (uint8_t& b : d.bits) b = bits == 8 ? uint8_t(b % colours) : b;
    return d;
}

// An 8-bit run-length bitmap: each row one run of its colour.
Dib MakeRle8(int width, int height) {
    Dib d = MakeDib(width, height, 8, 4);
    d.bits.clear();
    for (int row = 0; row < height; ++row) {
        d.bits.insert(d.bits.end(), {uint8_t(width), uint8_t(row % 4), 0, 0});
    }
    d.bits.insert(d.bits.end(), {0, 1});
    d.bits.resize((d.bits.size() + 3) / 4 * 4, 0);  // the recorder keeps records in whole words
    Put32(d.info, 16, BI_RLE8);
    Put32(d.info, 20, uint32_t(d.bits.size()));
    return d;
}

// A memory DC holding a small colourful bitmap to blit from.
class Source {
public:
    explicit Source(HDC like) : dc_(like), bitmap_(Colourful()), keep_(dc_.get(), bitmap_.get()) {}
    HDC get() const { return dc_.get(); }

private:
    static Bitmap Colourful() {
        Dib d = MakeDib(32, 32, 24, 0);
        void* bits = nullptr;
        Bitmap bitmap(CreateDIBSection(nullptr, d.Info(), DIB_RGB_COLORS, &bits, nullptr, 0));
        if (bits) std::memcpy(bits, d.bits.data(), d.bits.size());
        return bitmap;
    }

    MemoryDC dc_;
    Bitmap bitmap_;
    SelectGuard keep_;
};

HFONT MakeFont(int height, const char* face, BYTE charset = ANSI_CHARSET, int escapement = 0, int weight = FW_NORMAL) {
    return CreateFontA(height, 0, escapement, escapement, weight, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
}

void Text(HDC dc) {
    Fill(dc, 0, 0, kWidth, kHeight, RGB(250, 245, 225));
    SetBkMode(dc, TRANSPARENT);
    const char* faces[] = {"Arial", "Times New Roman", "Courier New", "Tahoma"};
    for (int i = 0; i < 4; ++i) {
        Font font(MakeFont(-16, faces[i], ANSI_CHARSET, 0, i % 2 ? FW_BOLD : FW_NORMAL));
        SelectGuard keep(dc, font.get());
        SetTextColor(dc, RGB(40 * i, 20, 160 - 30 * i));
        TextOutA(dc, 4, 4 + 18 * i, "Lumeno", 6);
    }
    Font font(MakeFont(-14, "Arial"));
    SelectGuard keep(dc, font.get());
    const INT spacing[5] = {14, 12, 16, 10, 12};
    ExtTextOutA(dc, 80, 4, 0, nullptr, "Kresb", 5, spacing);
    const WCHAR wide[] = {0x10C, 0x161, 0x17E, 0x165, 0x10F};
    ExtTextOutW(dc, 80, 24, 0, nullptr, wide, 5, spacing);
    const RECT box{80, 44, 156, 62};
    SetBkColor(dc, RGB(200, 230, 250));
    ExtTextOutA(dc, 82, 45, ETO_OPAQUE | ETO_CLIPPED, &box, "opaque box", 10, nullptr);
    SetTextAlign(dc, TA_CENTER | TA_BASELINE);
    SetTextCharacterExtra(dc, 2);
    TextOutA(dc, 118, 80, "center", 6);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    SetTextCharacterExtra(dc, 0);
    SetTextJustification(dc, 20, 1);
    TextOutA(dc, 80, 84, "a b", 3);
    SetTextJustification(dc, 0, 0);
    Font turned(MakeFont(-14, "Arial", ANSI_CHARSET, 450));
    SelectGuard keepTurned(dc, turned.get());
    TextOutA(dc, 10, 112, "turned", 6);
}

void SymbolText(HDC dc) {
    Fill(dc, 0, 0, kWidth, kHeight, RGB(255, 255, 255));
    Font symbol(MakeFont(-40, "Symbol", SYMBOL_CHARSET));
    SelectGuard keep(dc, symbol.get());
    SetTextColor(dc, RGB(20, 40, 160));
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 6, 10, "abgdp", 5);
    TextOutA(dc, 6, 60, "SWF\xa5\xb3", 5);
}

void PolyText(HDC dc) {
    Fill(dc, 0, 0, kWidth, kHeight, RGB(230, 250, 230));
    Font font(MakeFont(-18, "Times New Roman"));
    SelectGuard keep(dc, font.get());
    POLYTEXTA lines[2] = {{8, 10, 5, "first", 0, {0, 0, 0, 0}, nullptr}, {8, 50, 6, "second", 0, {0, 0, 0, 0}, nullptr}};
    PolyTextOutA(dc, lines, 2);
}

void Pens(HDC dc) {
    Fill(dc, 0, 0, kWidth, kHeight, RGB(255, 255, 240));
    const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_INSIDEFRAME, PS_NULL};
    for (int i = 0; i < 7; ++i) {
        Pen pen(CreatePen(styles[i], i == 5 ? 5 : 1, RGB(30 * i, 80, 200 - 25 * i)));
        SelectGuard keep(dc, pen.get());
        MoveToEx(dc, 4, 6 + 8 * i, nullptr);
        LineTo(dc, 76, 6 + 8 * i);
    }
    LOGBRUSH solid{BS_SOLID, RGB(180, 30, 30), 0};
    const DWORD caps[] = {PS_ENDCAP_ROUND | PS_JOIN_ROUND, PS_ENDCAP_SQUARE | PS_JOIN_MITER, PS_ENDCAP_FLAT | PS_JOIN_BEVEL};
    for (int i = 0; i < 3; ++i) {
        Pen pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | caps[i], 7, &solid, 0, nullptr));
        SelectGuard keep(dc, pen.get());
        const POINT corner[3] = {{90, 10 + 25 * i}, {120, 26 + 25 * i}, {150, 10 + 25 * i}};
        Polyline(dc, corner, 3);
    }
    const DWORD dashes[4] = {6, 2, 1, 2};
    LOGBRUSH blue{BS_SOLID, RGB(20, 20, 200), 0};
    Pen user(ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 3, &blue, 4, dashes));
    {
        SelectGuard keep(dc, user.get());
        MoveToEx(dc, 4, 70, nullptr);
        LineTo(dc, 150, 70);
    }
    LOGBRUSH black{BS_SOLID, RGB(0, 0, 0), 0};
    Pen alternate(ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &black, 0, nullptr));
    {
        SelectGuard keep(dc, alternate.get());
        MoveToEx(dc, 4, 78, nullptr);
        LineTo(dc, 150, 78);
    }
    LOGBRUSH hatched{BS_HATCHED, RGB(0, 120, 0), HS_DIAGCROSS};
    Pen hatchPen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 8, &hatched, 0, nullptr));
    {
        SelectGuard keep(dc, hatchPen.get());
        MoveToEx(dc, 4, 90, nullptr);
        LineTo(dc, 150, 90);
    }
    const Dib pattern = MakeDib(8, 8, 24, 0);
    Bytes packed(pattern.info);
    packed.insert(packed.end(), pattern.bits.begin(), pattern.bits.end());
    LOGBRUSH dibBrush{BS_DIBPATTERNPT, DIB_RGB_COLORS, ULONG_PTR(packed.data())};
    Pen patternPen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 10, &dibBrush, 0, nullptr));
    SelectGuard keep(dc, patternPen.get());
    MoveToEx(dc, 4, 108, nullptr);
    LineTo(dc, 150, 108);
}

void Brushes(HDC dc) {
    Fill(dc, 0, 0, kWidth, kHeight, RGB(255, 255, 255));
    for (int i = 0; i < 6; ++i) {
        Brush hatch(CreateHatchBrush(i, RGB(40 * i, 0, 200)));
        SelectGuard keep(dc, hatch.get());
        Rectangle(dc, 4 + 25 * i, 4, 26 + 25 * i, 30);
    }
    const uint16_t mono[8] = {0xAA, 0x55, 0xAA, 0x55, 0xFF, 0x00, 0xFF, 0x00};
    Bitmap monoBitmap(CreateBitmap(8, 8, 1, 1, mono));
    Brush monoBrush(CreatePatternBrush(monoBitmap.get()));
    {
        SelectGuard keep(dc, monoBrush.get());
        SetTextColor(dc, RGB(200, 0, 0));
        SetBkColor(dc, RGB(255, 230, 0));
        Ellipse(dc, 4, 36, 50, 76);
    }
    Source colours(dc);
    Bitmap colourBitmap(CreateCompatibleBitmap(colours.get(), 8, 8));
    {
        MemoryDC paint;
        SelectGuard keep(paint.get(), colourBitmap.get());
        BitBlt(paint.get(), 0, 0, 8, 8, colours.get(), 4, 4, SRCCOPY);
    }
    Brush colourBrush(CreatePatternBrush(colourBitmap.get()));
    {
        SelectGuard keep(dc, colourBrush.get());
        Ellipse(dc, 56, 36, 102, 76);
    }
    const Dib shortTable = MakeDib(8, 8, 8, 4);
    Bytes packed(shortTable.info);
    packed.insert(packed.end(), shortTable.bits.begin(), shortTable.bits.end());
    Brush dibBrush(CreateDIBPatternBrushPt(packed.data(), DIB_RGB_COLORS));
    {
        SelectGuard keep(dc, dibBrush.get());
        RoundRect(dc, 108, 36, 156, 76, 12, 12);
    }
    const Dib trueColour = MakeDib(4, 4, 24, 0);
    Bytes packed24(trueColour.info);
    packed24.insert(packed24.end(), trueColour.bits.begin(), trueColour.bits.end());
    Brush dibBrush24(CreateDIBPatternBrushPt(packed24.data(), DIB_RGB_COLORS));
    {
        SelectGuard keep(dc, dibBrush24.get());
        Rectangle(dc, 4, 82, 76, 116);
    }
    SelectGuard hollow(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 84, 82, 156, 116);
}

void Shapes(HDC dc) {
    Fill(dc, 0, 0, kWidth, kHeight, RGB(245, 245, 255));
    Brush fill(CreateSolidBrush(RGB(250, 160, 40)));
    SelectGuard keep(dc, fill.get());
    Rectangle(dc, 4, 4, 36, 28);
    RoundRect(dc, 40, 4, 76, 28, 10, 10);
    Ellipse(dc, 80, 4, 116, 28);
    Pie(dc, 120, 4, 156, 40, 156, 22, 138, 4);
    Chord(dc, 4, 32, 40, 60, 40, 46, 4, 46);
    Arc(dc, 44, 32, 80, 60, 80, 46, 44, 46);
    const POINT star[5] = {{100, 34}, {110, 62}, {84, 44}, {116, 44}, {90, 62}};
    SetPolyFillMode(dc, WINDING);
    Polygon(dc, star, 5);
    const POINT two[8] = {{4, 66}, {30, 66}, {30, 90}, {4, 90}, {36, 66}, {60, 90}, {36, 90}, {60, 66}};
    const INT counts[2] = {4, 4};
    SetPolyFillMode(dc, ALTERNATE);
    PolyPolygon(dc, two, counts, 2);
    const POINT curve[4] = {{66, 90}, {80, 60}, {100, 120}, {116, 70}};
    PolyBezier(dc, curve, 4);
    const POINT steps[4] = {{120, 70}, {130, 90}, {140, 70}, {150, 90}};
    Polyline(dc, steps, 4);
    MoveToEx(dc, 4, 100, nullptr);
    const POINT to[3] = {{20, 110}, {30, 96}, {40, 112}};
    PolylineTo(dc, to, 3);
    const POINT bezierTo[3] = {{50, 96}, {60, 118}, {70, 100}};
    PolyBezierTo(dc, bezierTo, 3);
    for (int x = 80; x < 100; x += 2) SetPixel(dc, x, 110, RGB(200, 0, 0));
}

// The drawing calls only enhanced metafiles hold.
void EnhancedShapes(HDC dc) {
    Fill(dc, 0, 0, kWidth, kHeight, RGB(255, 250, 240));
    Brush fill(CreateSolidBrush(RGB(90, 180, 90)));
    SelectGuard keep(dc, fill.get());
    MoveToEx(dc, 10, 30, nullptr);
    AngleArc(dc, 40, 30, 20, 0.0f, 270.0f);
    SetArcDirection(dc, AD_CLOCKWISE);
    ArcTo(dc, 70, 10, 110, 50, 110, 30, 70, 30);
    SetArcDirection(dc, AD_COUNTERCLOCKWISE);
    const POINT draw[5] = {{120, 10}, {150, 10}, {150, 40}, {130, 50}, {120, 40}};
    const BYTE types[5] = {PT_MOVETO, PT_LINETO, PT_BEZIERTO, PT_BEZIERTO, PT_BEZIERTO | PT_CLOSEFIGURE};
    PolyDraw(dc, draw, types, 5);
    TRIVERTEX corners[3] = {{10, 60, 0xFF00, 0, 0, 0}, {150, 110, 0, 0, 0xFF00, 0}, {10, 110, 0, 0xFF00, 0, 0}};
    GRADIENT_RECT box{0, 1};
    GdiGradientFill(dc, corners, 2, &box, 1, GRADIENT_FILL_RECT_H);
    GRADIENT_TRIANGLE triangle{0, 1, 2};
    GdiGradientFill(dc, corners, 3, &triangle, 1, GRADIENT_FILL_TRIANGLE);
}

void Bitmaps(HDC dc) {
    Fill(dc, 0, 0, kWidth, kHeight, RGB(250, 250, 250));
    Source source(dc);
    BitBlt(dc, 4, 4, 32, 32, source.get(), 0, 0, SRCCOPY);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 40, 4, 48, 24, source.get(), 0, 0, 32, 32, SRCCOPY);
    Brush pattern(CreateHatchBrush(HS_CROSS, RGB(0, 0, 160)));
    {
        SelectGuard keep(dc, pattern.get());
        PatBlt(dc, 92, 4, 30, 30, PATCOPY);
    }
    const Dib dibs[] = {MakeDib(16, 16, 1, 2), MakeDib(16, 16, 4, 3), MakeDib(16, 16, 8, 16),
                        MakeDib(16, 16, 16, 0), MakeDib(16, 16, 24, 0), MakeDib(16, 16, 32, 0)};
    for (int i = 0; i < 6; ++i)
        StretchDIBits(dc, 4 + 26 * i, 40, 24, 24, 0, 0, 16, 16, dibs[i].bits.data(), dibs[i].Info(), DIB_RGB_COLORS,
                      SRCCOPY);
    const Dib rle = MakeRle8(16, 16);
    StretchDIBits(dc, 4, 70, 24, 24, 0, 0, 16, 16, rle.bits.data(), rle.Info(), DIB_RGB_COLORS, SRCCOPY);
    const Dib part = MakeDib(16, 16, 24, 0);
    SetDIBitsToDevice(dc, 32, 70, 16, 16, 0, 0, 0, 16, part.bits.data(), part.Info(), DIB_RGB_COLORS);
    const Dib indices = MakeDib(16, 16, 8, 16);
    Bytes palIndices(indices.info.begin(), indices.info.begin() + 40);
    for (uint16_t i = 0; i < 16; ++i) palIndices.insert(palIndices.end(), {uint8_t(i), 0});
    StretchDIBits(dc, 56, 70, 24, 24, 0, 0, 16, 16, indices.bits.data(),
                  reinterpret_cast<const BITMAPINFO*>(palIndices.data()), DIB_PAL_COLORS, SRCCOPY);
}

// The blits only enhanced metafiles hold.
void EnhancedBitmaps(HDC dc) {
    Fill(dc, 0, 0, kWidth, kHeight, RGB(240, 240, 250));
    Source source(dc);
    const uint16_t maskBits[32] = {0xF0F0, 0xF0F0, 0x0F0F, 0x0F0F, 0xF0F0, 0xF0F0, 0x0F0F, 0x0F0F,
                                   0xF0F0, 0xF0F0, 0x0F0F, 0x0F0F, 0xF0F0, 0xF0F0, 0x0F0F, 0x0F0F};
    Bitmap mask(CreateBitmap(16, 16, 1, 1, maskBits));
    MaskBlt(dc, 4, 4, 16, 16, source.get(), 0, 0, mask.get(), 0, 0, MAKEROP4(SRCCOPY, PATCOPY));
    const POINT corners[3] = {{40, 10}, {80, 4}, {46, 50}};
    PlgBlt(dc, corners, source.get(), 0, 0, 32, 32, nullptr, 0, 0);
    BLENDFUNCTION half{AC_SRC_OVER, 0, 128, 0};
    GdiAlphaBlend(dc, 90, 4, 32, 32, source.get(), 0, 0, 32, 32, half);
    GdiTransparentBlt(dc, 4, 60, 48, 48, source.get(), 0, 0, 32, 32, RGB(0, 0, 0));
}

void Regions(HDC dc) {
    Fill(dc, 0, 0, kWidth, kHeight, RGB(255, 255, 255));
    Brush red(CreateSolidBrush(RGB(220, 40, 40))), blue(CreateSolidBrush(RGB(40, 40, 220)));
    Region box(CreateRectRgn(4, 4, 50, 40)), round(CreateEllipticRgn(30, 20, 90, 70));
    Region both(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(both.get(), box.get(), round.get(), RGN_XOR);
    FillRgn(dc, both.get(), red.get());
    FrameRgn(dc, round.get(), blue.get(), 2, 2);
    Region inverted(CreateRectRgn(100, 4, 150, 30));
    InvertRgn(dc, inverted.get());
    Brush green(CreateSolidBrush(RGB(40, 160, 40)));
    {
        SelectGuard keep(dc, green.get());
        Region painted(CreateRectRgn(100, 36, 150, 60));
        PaintRgn(dc, painted.get());
    }
    const POINT triangle[3] = {{10, 80}, {70, 80}, {40, 116}};
    Region clip(CreatePolygonRgn(triangle, 3, ALTERNATE));
    SaveDC(dc);
    SelectClipRgn(dc, clip.get());
    Fill(dc, 0, 70, 80, 120, RGB(200, 120, 0));
    RestoreDC(dc, -1);
    SaveDC(dc);
    IntersectClipRect(dc, 90, 70, 150, 116);
    ExcludeClipRect(dc, 110, 80, 130, 100);
    OffsetClipRgn(dc, 2, 2);
    Fill(dc, 80, 60, 160, 120, RGB(120, 0, 160));
    RestoreDC(dc, -1);
}

// Paths and clipping to them, which only enhanced metafiles hold.
void Paths(HDC dc) {
    Fill(dc, 0, 0, kWidth, kHeight, RGB(250, 250, 230));
    Brush fill(CreateSolidBrush(RGB(60, 140, 220)));
    Pen pen(CreatePen(PS_SOLID, 3, RGB(20, 20, 20)));
    SelectGuard keepBrush(dc, fill.get());
    SelectGuard keepPen(dc, pen.get());
    SetMiterLimit(dc, 4.0f, nullptr);
    BeginPath(dc);
    MoveToEx(dc, 10, 10, nullptr);
    LineTo(dc, 60, 10);
    const POINT curve[3] = {{80, 20}, {40, 60}, {60, 50}};
    PolyBezierTo(dc, curve, 3);
    CloseFigure(dc);
    EndPath(dc);
    StrokeAndFillPath(dc);
    BeginPath(dc);
    Ellipse(dc, 80, 6, 150, 50);
    EndPath(dc);
    FillPath(dc);
    BeginPath(dc);
    MoveToEx(dc, 10, 70, nullptr);
    LineTo(dc, 70, 110);
    EndPath(dc);
    WidenPath(dc);
    StrokePath(dc);
    BeginPath(dc);
    Ellipse(dc, 80, 60, 150, 116);
    EndPath(dc);
    FlattenPath(dc);
    SelectClipPath(dc, RGN_COPY);
    Fill(dc, 80, 60, 150, 116, RGB(220, 60, 120));
    BeginPath(dc);
    Rectangle(dc, 0, 0, 5, 5);
    AbortPath(dc);
}

void Transforms(HDC dc) {
    Fill(dc, 0, 0, kWidth, kHeight, RGB(255, 255, 255));
    Brush fill(CreateSolidBrush(RGB(160, 60, 200)));
    SelectGuard keep(dc, fill.get());
    SaveDC(dc);
    SetGraphicsMode(dc, GM_ADVANCED);
    const float angle = 0.5f;
    const XFORM turn{std::cos(angle), std::sin(angle), -std::sin(angle), std::cos(angle), 60.0f, 10.0f};
    SetWorldTransform(dc, &turn);
    Rectangle(dc, 0, 0, 50, 30);
    const XFORM half{0.5f, 0.0f, 0.0f, 0.5f, 0.0f, 0.0f};
    ModifyWorldTransform(dc, &half, MWT_LEFTMULTIPLY);
    Ellipse(dc, 0, 40, 60, 100);
    ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
    RestoreDC(dc, -1);
    SaveDC(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 100, 100, nullptr);
    SetViewportExtEx(dc, 50, 50, nullptr);
    SetViewportOrgEx(dc, 4, 60, nullptr);
    Rectangle(dc, 0, 0, 100, 100);
    ScaleViewportExtEx(dc, 2, 1, 2, 1, nullptr);
    SetWindowOrgEx(dc, -120, 0, nullptr);
    Ellipse(dc, 0, 0, 40, 50);
    RestoreDC(dc, -1);
}

// Window and viewport changes a Windows metafile holds.
void WindowMapping(HDC dc) {
    Fill(dc, 0, 0, kWidth, kHeight, RGB(255, 255, 255));
    Brush fill(CreateSolidBrush(RGB(200, 100, 60)));
    SelectGuard keep(dc, fill.get());
    Rectangle(dc, 4, 4, 60, 60);
    SaveDC(dc);
    OffsetWindowOrgEx(dc, -70, -10, nullptr);
    Ellipse(dc, 0, 0, 60, 50);
    ScaleWindowExtEx(dc, 2, 1, 2, 1, nullptr);
    Rectangle(dc, 0, 60, 30, 80);
    RestoreDC(dc, -1);
}

void Palettes(HDC dc) {
    Fill(dc, 0, 0, kWidth, kHeight, RGB(255, 255, 255));
    Bytes buffer(sizeof(LOGPALETTE) + 15 * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(buffer.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = 16;
    for (int i = 0; i < 16; ++i) logical->palPalEntry[i] = PALETTEENTRY{BYTE(16 * i), BYTE(255 - 16 * i), 128, 0};
    Palette palette(CreatePalette(logical));
    const HPALETTE old = SelectPalette(dc, palette.get(), FALSE);
    RealizePalette(dc);
    for (int i = 0; i < 16; ++i) {
        Brush entry(CreateSolidBrush(PALETTEINDEX(i)));
        SelectGuard keep(dc, entry.get());
        Rectangle(dc, 4 + 9 * i, 10, 13 + 9 * i, 60);
    }
    PALETTEENTRY changed[2] = {{255, 0, 0, 0}, {0, 0, 255, 0}};
    SetPaletteEntries(palette.get(), 0, 2, changed);
    ResizePalette(palette.get(), 20);
    Brush first(CreateSolidBrush(PALETTEINDEX(0)));
    {
        SelectGuard keep(dc, first.get());
        Ellipse(dc, 20, 70, 140, 110);
    }
    SelectPalette(dc, old, FALSE);
}

void Comments(HDC dc, bool enhanced) {
    Fill(dc, 0, 0, kWidth, kHeight, RGB(230, 240, 255));
    const char note[] = "Korvel Lumeno";
    if (enhanced) {
        GdiComment(dc, sizeof note, reinterpret_cast<const BYTE*>(note));
        const uint32_t group[4] = {GDICOMMENT_IDENTIFIER, GDICOMMENT_BEGINGROUP, 0, 0};
        GdiComment(dc, sizeof group, reinterpret_cast<const BYTE*>(group));
    } else {
        Escape(dc, MFCOMMENT, sizeof note, note, nullptr);
    }
    Brush fill(CreateSolidBrush(RGB(0, 90, 180)));
    SelectGuard keep(dc, fill.get());
    Ellipse(dc, 20, 20, 140, 100);
}

void Modes(HDC dc) {
    Fill(dc, 0, 0, kWidth, kHeight, RGB(255, 255, 255));
    Brush hatch(CreateHatchBrush(HS_BDIAGONAL, RGB(0, 0, 0)));
    SelectGuard keep(dc, hatch.get());
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(255, 220, 120));
    Rectangle(dc, 4, 4, 70, 50);
    SetBkMode(dc, TRANSPARENT);
    Rectangle(dc, 80, 4, 150, 50);
    Brush solid(CreateSolidBrush(RGB(0, 200, 200)));
    SelectGuard keepSolid(dc, solid.get());
    const int rops[] = {R2_COPYPEN, R2_NOT, R2_XORPEN, R2_MASKPEN, R2_MERGEPEN};
    for (int i = 0; i < 5; ++i) {
        SetROP2(dc, rops[i]);
        Rectangle(dc, 4 + 30 * i, 60, 30 + 30 * i, 110);
    }
    SetROP2(dc, R2_COPYPEN);
    SetMapperFlags(dc, 0);
    SetStretchBltMode(dc, HALFTONE);
}

struct Recipe {
    const char* name;
    void (*draw)(HDC dc, bool enhanced);
    bool windowsMetafile;  // also recorded as a Windows metafile
};

template <void (*Draw)(HDC)>
void Plain(HDC dc, bool) {
    Draw(dc);
}

const Recipe kRecipes[] = {
    {"text", Plain<Text>, true},
    {"symbol", Plain<SymbolText>, true},
    {"polytext", Plain<PolyText>, false},
    {"pens", Plain<Pens>, true},
    {"brushes", Plain<Brushes>, true},
    {"shapes", Plain<Shapes>, true},
    {"curves", Plain<EnhancedShapes>, false},
    {"bitmaps", Plain<Bitmaps>, true},
    {"blits", Plain<EnhancedBitmaps>, false},
    {"regions", Plain<Regions>, true},
    {"paths", Plain<Paths>, false},
    {"transforms", Plain<Transforms>, false},
    {"window", Plain<WindowMapping>, true},
    {"palette", Plain<Palettes>, true},
    {"comments", Comments, true},
    {"modes", Plain<Modes>, true},
};

Bytes RecordEnhanced(const Recipe& recipe) {
    WindowDC screen(nullptr);
    const int mmX = GetDeviceCaps(screen.get(), HORZSIZE), mmY = GetDeviceCaps(screen.get(), VERTSIZE);
    const int pxX = GetDeviceCaps(screen.get(), HORZRES), pxY = GetDeviceCaps(screen.get(), VERTRES);
    const RECT frame{0, 0, MulDiv(kWidth, mmX * 100, pxX), MulDiv(kHeight, mmY * 100, pxY)};
    HDC dc = CreateEnhMetaFileA(screen.get(), nullptr, &frame, "Korvel Lumeno\0valid set\0");
    recipe.draw(dc, true);
    EnhMetafile emf(CloseEnhMetaFile(dc));
    Bytes bytes(GetEnhMetaFileBits(emf.get(), 0, nullptr));
    GetEnhMetaFileBits(emf.get(), UINT(bytes.size()), bytes.data());
    return bytes;
}

struct MetafileDeleter : NullIsNone {
    void operator()(HMETAFILE h) const { DeleteMetaFile(h); }
};

Bytes RecordWindows(const Recipe& recipe) {
    HDC dc = CreateMetaFileA(nullptr);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, kWidth, kHeight, nullptr);
    recipe.draw(dc, false);
    const UniqueHandle<HMETAFILE, MetafileDeleter> wmf(CloseMetaFile(dc));
    Bytes records(GetMetaFileBitsEx(wmf.get(), 0, nullptr));
    GetMetaFileBitsEx(wmf.get(), UINT(records.size()), records.data());
    return Placeable(records);
}

}  // namespace

std::vector<uint8_t> Placeable(const std::vector<uint8_t>& records) {
    Bytes file(22, 0);
    Put32(file, 0, 0x9AC6CDD7);
    Put16(file, 10, kWidth);
    Put16(file, 12, kHeight);
    Put16(file, 14, 96);
    uint16_t sum = 0;
    for (size_t i = 0; i < 20; i += 2) sum ^= uint16_t(file[i] | file[i + 1] << 8);
    Put16(file, 20, sum);
    file.insert(file.end(), records.begin(), records.end());
    return file;
}

std::vector<File> RecordedSet() {
    std::vector<File> out;
    for (const Recipe& recipe : kRecipes) {
        out.push_back(File{std::string(recipe.name) + ".emf", RecordEnhanced(recipe)});
        if (recipe.windowsMetafile) out.push_back(File{std::string(recipe.name) + ".wmf", RecordWindows(recipe)});
    }
    return out;
}

}  // namespace metafiles
