#include "bench/harness/shows_picture.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "picture/bitmap.h"
#include "picture/jpeg_image.h"
#include "ui/gdi.h"

namespace bench {

namespace {
const int kGrid = 4;
// Per channel: the screen's depth may round what the picture holds.
const int kTolerance = 8;

// The picture's pixels, or null while it has none decoded.
TBitmap* Pixels(TPicture& picture) {
    TGraphic* graphic = picture.Graphic();
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(graphic)) return jpeg->DecodedBitmap() ? &jpeg->Decode() : nullptr;
    return dynamic_cast<TBitmap*>(graphic);
}

bool Near(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= kTolerance && std::abs(GetGValue(a) - GetGValue(b)) <= kTolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= kTolerance;
}

// The picture pixels from which drawing `length` window pixels out of
// `size` picture pixels may take window pixel `at`, one more each side.
void Span(int at, int length, int size, int& first, int& last) {
    first = std::max(0, int(int64_t(at) * size / length) - 1);
    last = std::min(size - 1, int(int64_t(at + 1) * size / length) + 1);
}
}  // namespace

bool ShowsPicture(TImage& image) {
    TBitmap* bitmap = Pixels(image.Picture());
    if (!bitmap || bitmap->IsEmpty()) return false;
    const HWND window = image.Handle();
    // The control's origin in the window: they differ for a control that
    // covers only the part inside its parent.
    POINT origin{image.Left(), image.Top()};
    MapWindowPoints(GetParent(window), window, &origin, 1);
    RECT paint = image.PaintRect(), visible, seen;
    OffsetRect(&paint, origin.x, origin.y);
    WindowDC shown(window);
    // A window larger than the screen shows only part of itself.
    if (GetClipBox(shown.get(), &visible) == ERROR || !IntersectRect(&seen, &paint, &visible)) return false;
    MemoryDC picture(shown.get());
    // Read without unsharing: the program's pictures stay as they were.
    SelectGuard keep(picture.get(), bitmap->SharedHandle());
    const int width = paint.right - paint.left, height = paint.bottom - paint.top;
    for (int i = 0; i < kGrid * kGrid; ++i) {
        const int x = seen.left + (seen.right - seen.left) * (2 * (i % kGrid) + 1) / (2 * kGrid);
        const int y = seen.top + (seen.bottom - seen.top) * (2 * (i / kGrid) + 1) / (2 * kGrid);
        const COLORREF colour = GetPixel(shown.get(), x, y);
        if (colour == CLR_INVALID) return false;
        int x0, x1, y0, y1;
        Span(x - paint.left, width, bitmap->Width(), x0, x1);
        Span(y - paint.top, height, bitmap->Height(), y0, y1);
        bool found = false;
        for (int py = y0; py <= y1 && !found; ++py)
            for (int px = x0; px <= x1 && !found; ++px) found = Near(colour, GetPixel(picture.get(), px, py));
        if (!found) return false;
    }
    return true;
}

}  // namespace bench
