#pragma once
// Shrinking pixel rows by dropping rows and columns, the way colour-on-colour
// stretching does. Done ahead of drawing, it spares the system converting a
// whole large picture for a small target.
#include <cstdint>

// Rows of pixels in memory: row y (from the top) starts at row0 + y * step.
struct PixelRows {
    uint8_t* row0 = nullptr;
    intptr_t step = 0;
    int width = 0;
    int height = 0;
    int bytesPerPixel = 0;
};

// Fills `to` (smaller or equal in both directions, same bytes per pixel)
// with the pixels of `from` nearest to the centre of each target pixel.
void DropSample(const PixelRows& from, const PixelRows& to);
