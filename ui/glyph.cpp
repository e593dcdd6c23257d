#include "ui/glyph.h"

#include <vector>

Bitmap LoadResourceBitmap(const char* name) {
    return Bitmap(static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

SIZE BitmapSize(HBITMAP bmp) {
    BITMAP info{};
    if (!bmp || !GetObjectA(bmp, sizeof info, &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

Bitmap LoadGlyph(const char* name, COLORREF background) {
    Bitmap source = LoadResourceBitmap(name);
    SIZE size = BitmapSize(source.get());
    if (!source || size.cx <= 0 || size.cy <= 0) return Bitmap();
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = size.cx;
    bi.bmiHeader.biHeight = -size.cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    Bitmap out(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!out) return Bitmap();
    MemoryDC src, dst;
    {
        SelectGuard s1(src.get(), source.get());
        SelectGuard s2(dst.get(), out.get());
        BitBlt(dst.get(), 0, 0, size.cx, size.cy, src.get(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    auto* px = static_cast<DWORD*>(bits);
    DWORD key = px[size_t(size.cy - 1) * size_t(size.cx)];
    DWORD fill = DWORD(GetBValue(background)) | DWORD(GetGValue(background)) << 8 |
                 DWORD(GetRValue(background)) << 16;
    for (size_t i = 0, n = size_t(size.cx) * size_t(size.cy); i < n; ++i)
        if ((px[i] & 0xFFFFFF) == (key & 0xFFFFFF)) px[i] = fill;
    return out;
}

void DrawGlyph(HDC dc, HBITMAP glyph, int x, int y) {
    SIZE size = BitmapSize(glyph);
    if (size.cx <= 0) return;
    MemoryDC mem(dc);
    SelectGuard sel(mem.get(), glyph);
    COLORREF key = GetPixel(mem.get(), 0, size.cy - 1);
    GdiTransparentBlt(dc, x, y, size.cx, size.cy, mem.get(), 0, 0, size.cx, size.cy, key);
}
