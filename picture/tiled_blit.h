#pragma once
// Copies a whole bitmap selected into `source` (width x height) onto the
// rectangle `to` of `target`, like StretchBlt. A source of more than
// kTiledBlitPixels goes in tiles: Wine's blits first convert the part of
// the source they read into the target's format and size that buffer in
// 32 bits, so from 2^30 pixels at 32 bits a pixel it wraps and the copy
// overruns the heap. Smaller sources go in one call, as before.
#include <windows.h>

#include <cstdint>

constexpr int64_t kTiledBlitPixels = int64_t(1) << 26;

void TiledStretchBlt(HDC target, const RECT& to, HDC source, int width, int height, DWORD rop);
