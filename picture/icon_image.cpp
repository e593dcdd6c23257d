#include "picture/icon_image.h"

#include <cstring>

#include "platform/exceptions.h"

namespace {
[[noreturn]] void RefusedBySystem() { throw OutOfResources(GetLastError()); }

// Stretches a DIB over the whole of `target` (plain stretching, source copy).
void StretchInto(HBITMAP target, int width, int height, const codec::ico::Dib& dib, int dibWidth,
                 int dibHeight) {
    MemoryDC dc;
    SelectGuard keep(dc.get(), target);
    SetStretchBltMode(dc.get(), COLORONCOLOR);
    const int lines = StretchDIBits(dc.get(), 0, 0, width, height, 0, 0, dibWidth, dibHeight, dib.bits.data(),
                                    reinterpret_cast<const BITMAPINFO*>(dib.info.data()), DIB_RGB_COLORS, SRCCOPY);
    if (lines == 0 || lines == int(GDI_ERROR)) RefusedBySystem();
}

int64_t Stride(int width, int bits) { return (int64_t(width) * bits + 31) / 32 * 4; }

// The rows of a bitmap as a bottom-up DIB of `bits` per pixel (with the
// colour table the system fills in); `info` receives header and table.
std::vector<uint8_t> DibBits(HBITMAP bitmap, int width, int height, WORD bits, std::vector<uint8_t>& info) {
    const DWORD tableBytes = bits <= 8 ? DWORD(sizeof(RGBQUAD)) << bits : 0;
    info.assign(sizeof(BITMAPINFOHEADER) + tableBytes, 0);
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), width, height, 1, bits, BI_RGB, 0, 0, 0, 0, 0};
    header.biSizeImage = DWORD(Stride(width, bits) * height);
    std::memcpy(info.data(), &header, sizeof header);
    std::vector<uint8_t> out(header.biSizeImage);
    WindowDC screen(nullptr);
    if (!GetDIBits(screen.get(), bitmap, 0, UINT(height), out.data(), reinterpret_cast<BITMAPINFO*>(info.data()),
                   DIB_RGB_COLORS))
        RefusedBySystem();
    // The table holds every entry of the depth.
    auto* written = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    written->biClrUsed = 0;
    written->biClrImportant = 0;
    return out;
}

// `height` rows of `source` from row `top`, as a bitmap of their own: a
// monochrome icon keeps its mask and its image one above the other.
Bitmap Rows(HBITMAP source, int width, int height, int top) {
    Bitmap part(CreateBitmap(width, height, 1, 1, nullptr));
    if (!part) RefusedBySystem();
    MemoryDC from, to;
    SelectGuard keepSource(from.get(), source);
    SelectGuard keepPart(to.get(), part.get());
    BitBlt(to.get(), 0, 0, width, height, from.get(), 0, top, SRCCOPY);
    return part;
}

struct IconBitmaps {
    Bitmap colour;
    Bitmap mask;
    int width = 0;
    int height = 0;
};

IconBitmaps BitmapsOf(HICON icon) {
    ICONINFO ii{};
    if (!GetIconInfo(icon, &ii)) RefusedBySystem();
    IconBitmaps out;
    out.colour.reset(ii.hbmColor);
    out.mask.reset(ii.hbmMask);
    BITMAP bm{};
    if (!GetObject(out.mask.get(), sizeof bm, &bm)) RefusedBySystem();
    out.width = bm.bmWidth;
    out.height = out.colour ? bm.bmHeight : bm.bmHeight / 2;
    if (!out.colour) {
        out.colour = Rows(out.mask.get(), out.width, out.height, out.height);
        out.mask = Rows(out.mask.get(), out.width, out.height, 0);
    }
    return out;
}
}  // namespace

HICON StandardIcon() {
    static const HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
    return icon;
}

uint16_t ScreenColourCount() {
    WindowDC screen(nullptr);
    return codec::ico::DisplayColours(uint16_t(GetDeviceCaps(screen.get(), PLANES)),
                                      uint16_t(GetDeviceCaps(screen.get(), BITSPIXEL)));
}

IconHandle MakeIcon(const codec::ico::Image& image) {
    const int width = GetSystemMetrics(SM_CXICON), height = GetSystemMetrics(SM_CYICON);
    Bitmap colour;
    {
        WindowDC screen(nullptr);
        colour.reset(CreateCompatibleBitmap(screen.get(), width, height));
    }
    Bitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
    if (!colour || !mask) RefusedBySystem();
    StretchInto(colour.get(), width, height, image.colour, image.width, image.height);
    StretchInto(mask.get(), width, height, image.mask, image.width, image.height);
    ICONINFO ii{TRUE, 0, 0, mask.get(), colour.get()};
    IconHandle icon(CreateIconIndirect(&ii));
    if (!icon) RefusedBySystem();
    return icon;
}

std::vector<uint8_t> IconFile(HICON icon) {
    IconBitmaps parts = BitmapsOf(icon);
    codec::ico::Dib colour;
    colour.bits = DibBits(parts.colour.get(), parts.width, parts.height, 4, colour.info);
    std::vector<uint8_t> maskInfo;
    std::vector<uint8_t> maskBits = DibBits(parts.mask.get(), parts.width, parts.height, 1, maskInfo);
    return codec::ico::WriteIcon(colour, maskBits);
}
