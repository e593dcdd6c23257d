#include "picture/bitmap_image.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "picture/codec/bmp.h"
#include "platform/exceptions.h"

int TBitmapImage::Height() const { return std::abs(int(header.biHeight)); }

namespace {
// The sixteen colours of the standard VGA palette.
const RGBQUAD kStandard16[16] = {
    {0, 0, 0, 0},       {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0},
    {128, 0, 0, 0},     {128, 0, 128, 0}, {128, 128, 0, 0}, {192, 192, 192, 0},
    {128, 128, 128, 0}, {0, 0, 255, 0},   {0, 255, 0, 0},   {0, 255, 255, 0},
    {255, 0, 0, 0},     {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0}};

[[noreturn]] void RefusedBySystem() { throw OutOfResources(GetLastError()); }

std::vector<RGBQUAD> HalftoneColours() {
    WindowDC screen(nullptr);
    Palette halftone(CreateHalftonePalette(screen.get()));
    return PaletteColours(halftone.get());
}

std::vector<RGBQUAD> DefaultColours(int bits) {
    switch (bits) {
        case 1: return {{0, 0, 0, 0}, {255, 255, 255, 0}};
        case 4: return std::vector<RGBQUAD>(kStandard16, kStandard16 + 16);
        default: return HalftoneColours();
    }
}

// The colour table a new section of `bits` per pixel gets.
std::vector<RGBQUAD> TableFor(const TBitmapImage& source, const TBitmapImage& like, int bits) {
    if (bits > 8) return {};
    std::vector<RGBQUAD> colours;
    if (like.palette) colours = PaletteColours(like.palette.get());
    if (colours.empty() && source.dib && source.BitsPerPixel() == bits) colours = ImageColours(source);
    if (colours.empty()) colours = DefaultColours(bits);
    colours.resize(std::min<size_t>(colours.size(), size_t(1) << bits));
    return colours;
}

std::vector<uint8_t> BitmapInfo(const BITMAPINFOHEADER& header, const DWORD masks[3],
                                const std::vector<RGBQUAD>& colours) {
    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + 3 * sizeof(DWORD) + colours.size() * sizeof(RGBQUAD));
    std::memcpy(info.data(), &header, sizeof header);
    uint8_t* after = info.data() + sizeof header;
    if (header.biCompression == BI_BITFIELDS) {
        std::memcpy(after, masks, 3 * sizeof(DWORD));
        after += 3 * sizeof(DWORD);
    }
    if (!colours.empty()) std::memcpy(after, colours.data(), colours.size() * sizeof(RGBQUAD));
    return info;
}

void CheckSize(int width, int height, int bits) {
    const uint64_t bytes = codec::bmp::Stride(uint32_t(width), uint16_t(bits)) * uint64_t(height);
    if (bytes > codec::bmp::kMaxImageBytes) throw OutOfResources(0);
}

// Makes the section of `image`'s header, with the given colour table.
void CreateSection(TBitmapImage& image, const std::vector<RGBQUAD>& colours) {
    BITMAPINFOHEADER& h = image.header;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biPlanes = 1;
    h.biSizeImage = uint32_t(codec::bmp::Stride(uint32_t(h.biWidth), h.biBitCount) * uint64_t(image.Height()));
    h.biClrUsed = DWORD(colours.size());
    if (h.biCompression != BI_BITFIELDS) h.biCompression = BI_RGB;
    std::vector<uint8_t> info = BitmapInfo(h, image.masks, colours);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                                       &bits, nullptr, 0);
    if (!section) RefusedBySystem();
    image.dib.reset(section);
    image.bits = static_cast<uint8_t*>(bits);
}

Bitmap DeviceBitmap(int width, int height, bool monochrome) {
    WindowDC screen(nullptr);
    HBITMAP made = monochrome ? CreateBitmap(width, height, 1, 1, nullptr)
                              : CreateCompatibleBitmap(screen.get(), width, height);
    if (!made) RefusedBySystem();
    return Bitmap(made);
}

// Fills `target` with `fill` and puts `source`'s pixels at its top left.
void PaintOnto(HBITMAP target, HPALETTE targetPalette, int width, int height, const TBitmapImage& source,
               COLORREF fill) {
    MemoryDC dc;
    SelectGuard keep(dc.get(), target);
    PaletteGuard pal(dc.get(), targetPalette);
    Brush brush(CreateSolidBrush(fill));
    RECT all{0, 0, width, height};
    FillRect(dc.get(), &all, brush.get());
    if (source.Empty()) return;
    MemoryDC from;
    SelectGuard keepSource(from.get(), source.Handle());
    PaletteGuard sourcePal(from.get(), source.palette.get());
    // A monochrome source maps 0 to black and 1 to white.
    SetTextColor(dc.get(), RGB(0, 0, 0));
    SetBkColor(dc.get(), RGB(255, 255, 255));
    BitBlt(dc.get(), 0, 0, std::min(width, source.Width()), std::min(height, source.Height()), from.get(), 0, 0,
           SRCCOPY);
    GdiFlush();
}
}  // namespace

std::vector<RGBQUAD> SectionColours(HBITMAP dib) {
    if (!dib) return {};
    MemoryDC dc;
    SelectGuard keep(dc.get(), dib);
    RGBQUAD table[256];
    UINT n = GetDIBColorTable(dc.get(), 0, 256, table);
    return std::vector<RGBQUAD>(table, table + n);
}

std::vector<RGBQUAD> ImageColours(const TBitmapImage& image) {
    std::vector<RGBQUAD> colours = SectionColours(image.dib.get());
    if (image.header.biClrUsed && image.header.biClrUsed < colours.size()) colours.resize(image.header.biClrUsed);
    return colours;
}

std::vector<RGBQUAD> PaletteColours(HPALETTE palette) {
    if (!palette) return {};
    PALETTEENTRY entries[256];
    UINT n = GetPaletteEntries(palette, 0, 256, entries);
    std::vector<RGBQUAD> out;
    for (UINT i = 0; i < n; ++i) out.push_back(RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0});
    return out;
}

Palette PaletteFromColours(const std::vector<RGBQUAD>& colours) {
    if (colours.empty()) return Palette();
    const size_t n = std::min<size_t>(colours.size(), 256);
    std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + n * sizeof(PALETTEENTRY));
    auto* log = reinterpret_cast<LOGPALETTE*>(buffer.data());
    log->palVersion = 0x300;
    log->palNumEntries = WORD(n);
    for (size_t i = 0; i < n; ++i)
        log->palPalEntry[i] = PALETTEENTRY{colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue, 0};
    Palette made(CreatePalette(log));
    if (!made) RefusedBySystem();
    return made;
}

Palette CopyPalette(HPALETTE palette) { return PaletteFromColours(PaletteColours(palette)); }

int ScreenBitsPerPixel() {
    WindowDC screen(nullptr);
    return GetDeviceCaps(screen.get(), BITSPIXEL) * GetDeviceCaps(screen.get(), PLANES);
}

BitmapImageRef CopyImage(const TBitmapImage& source, const TBitmapImage& like, int width, int height,
                         COLORREF fill) {
    width = std::max(0, width);
    height = std::max(0, height);
    BitmapImageRef image(new TBitmapImage);
    image->header = like.header;
    image->header.biWidth = width;
    image->header.biHeight = like.header.biHeight < 0 ? -height : height;
    std::copy(like.masks, like.masks + 3, image->masks);
    image->palette = CopyPalette(like.palette.get());
    image->os2 = like.os2;
    image->halftone = like.halftone;
    const bool device = like.DeviceDependent();
    if (device) {
        image->header.biSize = 0;
        image->header.biHeight = height;
    }
    if (width == 0 || height == 0) return image;
    int bits = image->header.biBitCount ? image->header.biBitCount : ScreenBitsPerPixel();
    CheckSize(width, height, std::max(bits, 32));
    if (device) {
        image->ddb = DeviceBitmap(width, height, bits == 1);
        BITMAP bm{};
        GetObject(image->ddb.get(), sizeof bm, &bm);
        image->header.biBitCount = WORD(bm.bmBitsPixel * bm.bmPlanes);
        PaintOnto(image->ddb.get(), image->palette.get(), width, height, source, fill);
        return image;
    }
    image->header.biBitCount = WORD(bits);
    CreateSection(*image, TableFor(source, like, bits));
    PaintOnto(image->dib.get(), image->palette.get(), width, height, source, fill);
    return image;
}

void EnsureDib(TBitmapImage& image) {
    if (image.dib || !image.ddb) return;
    BITMAP bm{};
    GetObject(image.ddb.get(), sizeof bm, &bm);
    TBitmapImage section;
    section.header.biWidth = bm.bmWidth;
    section.header.biHeight = bm.bmHeight;
    section.header.biBitCount = WORD(bm.bmBitsPixel * bm.bmPlanes);
    section.palette = CopyPalette(image.palette.get());
    CreateSection(section, TableFor(image, section, section.BitsPerPixel()));
    PaintOnto(section.dib.get(), image.palette.get(), bm.bmWidth, bm.bmHeight, image, RGB(255, 255, 255));
    image.dib = std::move(section.dib);
    image.bits = section.bits;
    image.header = section.header;
    std::fill(image.masks, image.masks + 3, 0);
}

namespace {
// A 1-bit image whose colours are black and white only: a monochrome
// bitmap holds it exactly; any other two colours need the display's.
bool BlackAndWhite(const TBitmapImage& image) {
    if (image.BitsPerPixel() != 1) return false;
    for (const RGBQUAD& c : ImageColours(image)) {
        const bool black = c.rgbRed == 0 && c.rgbGreen == 0 && c.rgbBlue == 0;
        const bool white = c.rgbRed == 255 && c.rgbGreen == 255 && c.rgbBlue == 255;
        if (!black && !white) return false;
    }
    return true;
}
}  // namespace

Bitmap DeviceCopy(const TBitmapImage& image, COLORREF fill) {
    Bitmap copy = DeviceBitmap(image.Width(), image.Height(), BlackAndWhite(image));
    PaintOnto(copy.get(), image.palette.get(), image.Width(), image.Height(), image, fill);
    return copy;
}
