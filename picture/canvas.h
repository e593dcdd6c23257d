#pragma once
// The drawing target handed to a graphic's Draw: a borrowed device context
// and the few settings drawing takes from it.
#include <windows.h>

class TCanvas {
public:
    explicit TCanvas(HDC dc) : dc_(dc) {}
    HDC Handle() const { return dc_; }

    // Raster operation for copying a picture onto the target.
    DWORD CopyMode = SRCCOPY;
    // Fills areas a picture does not cover (new area of a resized bitmap).
    COLORREF BrushColor = RGB(255, 255, 255);

private:
    HDC dc_;
};
