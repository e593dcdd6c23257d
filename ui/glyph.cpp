#include "ui/glyph.h"

Bitmap LoadResourceBitmap(const char* name) {
    return Bitmap(static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

SIZE BitmapSize(HBITMAP bmp) {
    BITMAP info{};
    if (!bmp || !GetObjectA(bmp, sizeof info, &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

void DrawGlyph(HDC dc, HBITMAP glyph, int x, int y) {
    SIZE size = BitmapSize(glyph);
    if (size.cx <= 0) return;
    MemoryDC mem(dc);
    SelectGuard sel(mem.get(), glyph);
    COLORREF key = GetPixel(mem.get(), 0, size.cy - 1);
    GdiTransparentBlt(dc, x, y, size.cx, size.cy, mem.get(), 0, 0, size.cx, size.cy, key);
}
