#include "picture/tiled_blit.h"

#include <algorithm>

namespace {
constexpr int kTileSide = 8192;  // kTiledBlitPixels = kTileSide squared

// Where source column or row `at` of `length` falls in a target span.
int Scaled(int start, int span, int at, int length) { return start + int(int64_t(at) * span / length); }
}  // namespace

void TiledStretchBlt(HDC target, const RECT& to, HDC source, int width, int height, DWORD rop) {
    const int w = to.right - to.left, h = to.bottom - to.top;
    if (int64_t(width) * height <= kTiledBlitPixels) {
        StretchBlt(target, to.left, to.top, w, h, source, 0, 0, width, height, rop);
        return;
    }
    // Each target pixel lies in exactly one tile, as the tiles' target
    // edges are the source edges scaled the same way.
    for (int y = 0; y < height; y += kTileSide) {
        const int y1 = std::min(height, y + kTileSide), ty = Scaled(to.top, h, y, height);
        const int th = Scaled(to.top, h, y1, height) - ty;
        for (int x = 0; x < width && th != 0; x += kTileSide) {
            const int x1 = std::min(width, x + kTileSide), tx = Scaled(to.left, w, x, width);
            const int tw = Scaled(to.left, w, x1, width) - tx;
            if (tw != 0) StretchBlt(target, tx, ty, tw, th, source, x, y, x1 - x, y1 - y, rop);
        }
    }
}
