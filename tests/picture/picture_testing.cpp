#include "picture_testing.h"

#include <cstring>

#include "picture/codec/little_endian.h"
#include "platform/exceptions.h"
#include "platform/stream.h"
#include "platform/text.h"
#include "ui/gdi.h"

namespace pictest {

namespace {
using codec::le::Append16;
using codec::le::Append32;
}  // namespace

std::vector<uint8_t> BuildBmp(const BmpFields& s) {
    std::vector<uint8_t> header;
    if (s.headerSize == 12) {
        Append32(header, 12);
        Append16(header, uint16_t(s.width));
        Append16(header, uint16_t(s.height));
        Append16(header, 1);
        Append16(header, s.bits);
    } else {
        Append32(header, s.headerSize);
        Append32(header, uint32_t(s.width));
        Append32(header, uint32_t(s.height));
        Append16(header, 1);
        Append16(header, s.bits);
        Append32(header, s.compression);
        Append32(header, s.sizeImage);
        Append32(header, 2835);
        Append32(header, 2835);
        Append32(header, s.clrUsed);
        Append32(header, 0);
        if (s.headerSize > 40)
            for (uint32_t m : s.masks) Append32(header, m);
        header.resize(s.headerSize, 0);
        if (s.headerSize == 40)
            for (uint32_t m : s.masks) Append32(header, m);
    }
    header.insert(header.end(), s.colours.begin(), s.colours.end());
    std::vector<uint8_t> out{'B', 'M'};
    Append32(out, uint32_t(14 + header.size() + s.pixels.size()));
    Append32(out, 0);
    Append32(out, uint32_t(14 + header.size()));
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), s.pixels.begin(), s.pixels.end());
    return out;
}

std::vector<uint32_t> Render(TGraphic& graphic, int width, int height, RECT rect, COLORREF background) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    Bitmap target(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDC dc;
    SelectGuard keep(dc.get(), target.get());
    Brush brush(CreateSolidBrush(background));
    RECT all{0, 0, width, height};
    FillRect(dc.get(), &all, brush.get());
    TCanvas canvas(dc.get());
    graphic.Draw(canvas, rect);
    GdiFlush();
    std::vector<uint32_t> out(size_t(width) * size_t(height));
    std::memcpy(out.data(), bits, out.size() * 4);
    for (uint32_t& p : out) p &= 0xFFFFFF;
    return out;
}

std::vector<uint32_t> Render(TGraphic& graphic, int width, int height) {
    return Render(graphic, width, height, RECT{0, 0, width, height});
}

std::vector<uint8_t> ReadBytes(const std::u16string& path) {
    TFileStream file(path, TFileStream::OpenRead);
    std::vector<uint8_t> bytes(size_t(file.Size()));
    file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

bool FileExists(const std::u16string& path) { return GetFileAttributesW(WidePtr(path)) != INVALID_FILE_ATTRIBUTES; }

const TGraphicClass& TTestGraphic::Class() {
    static const TGraphicClass kind{"TTestGraphic", nullptr, &CreateGraphic<TTestGraphic>};
    return kind;
}

const TGraphicClass& TDerivedTestGraphic::Class() {
    static const TGraphicClass kind{"TDerivedTestGraphic", &TTestGraphic::Class(),
                                    &CreateGraphic<TDerivedTestGraphic>};
    return kind;
}

void TTestGraphic::Draw(TCanvas& canvas, const RECT& rect) {
    ++draws;
    if (drawThrows) throw EInvalidGraphic("Test picture cannot be drawn");
    Brush brush(CreateSolidBrush(colour));
    FillRect(canvas.Handle(), &rect, brush.get());
}

void TTestGraphic::Assign(TObject* source) {
    auto* other = dynamic_cast<TTestGraphic*>(source);
    if (!other) return TGraphic::Assign(source);
    width = other->width;
    height = other->height;
    colour = other->colour;
    drawThrows = other->drawThrows;
    clipboardText = other->clipboardText;
    Changed(this);
}

void TTestGraphic::LoadStream(TStream& stream) {
    uint8_t b[5];
    stream.ReadBuffer(b, sizeof b);
    width = b[0];
    height = b[1];
    colour = RGB(b[2], b[3], b[4]);
    Changed(this);
}

void TTestGraphic::SaveStream(TStream& stream) {
    const uint8_t b[5] = {uint8_t(width), uint8_t(height), GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    stream.WriteBuffer(b, sizeof b);
}

ClipboardData TTestGraphic::SaveClipboardData() {
    if (!clipboardText) throw EInvalidGraphicOperation("Clipboard does not support test pictures");
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 5);
    std::memcpy(GlobalLock(text), "test", 5);
    GlobalUnlock(text);
    return ClipboardData(CF_TEXT, text);
}

void PutClipboardText() {
    REQUIRE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 4);
    lstrcpyA(static_cast<char*>(GlobalLock(text)), "old");
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    CloseClipboard();
}

int ClipboardFormatCount() {
    REQUIRE(OpenClipboard(nullptr));
    const int n = CountClipboardFormats();
    CloseClipboard();
    return n;
}

}  // namespace pictest
