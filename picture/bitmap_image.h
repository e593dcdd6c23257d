#pragma once
// The shared pixel record of bitmaps, and the GDI work of making,
// converting and copying such records.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "picture/shared_image.h"
#include "ui/gdi.h"

class TBitmapImage : public TSharedImage {
public:
    Bitmap dib;  // the DIB section, or none
    Bitmap ddb;  // a device-dependent bitmap, or none; drawn in preference to dib
    ::Palette palette;
    // The description of the pixels: the DIB's header (biHeight < 0: rows
    // stored top-down), or biSize 0 for a device-dependent image. Kept while
    // the image is empty, so a later size change keeps the layout.
    BITMAPINFOHEADER header{};
    DWORD masks[3] = {0, 0, 0};  // bit-field masks (BI_BITFIELDS)
    uint8_t* bits = nullptr;     // the section's pixel memory
    bool os2 = false;            // read from a core header: written back in that format
    bool halftone = false;       // palette is a halftone palette made for the display

    TBitmapImage() { header.biSize = sizeof(BITMAPINFOHEADER); }
    HBITMAP Handle() const { return ddb ? ddb.get() : dib.get(); }
    bool Empty() const { return !dib && !ddb; }
    int Width() const { return int(header.biWidth); }
    int Height() const;
    int BitsPerPixel() const { return header.biBitCount; }
    bool DeviceDependent() const { return ddb || (!dib && header.biSize == 0); }
};

using BitmapImageRef = SharedImageRef<TBitmapImage>;

// Colour-table entries of a DIB section (at most 256), or none.
std::vector<RGBQUAD> SectionColours(HBITMAP dib);
// The entries of a record's section that its header counts (the system may
// report a table padded to 2^bits).
std::vector<RGBQUAD> ImageColours(const TBitmapImage& image);
std::vector<RGBQUAD> PaletteColours(HPALETTE palette);
Palette PaletteFromColours(const std::vector<RGBQUAD>& colours);
Palette CopyPalette(HPALETTE palette);
// Bits per pixel of the screen (bits times planes).
int ScreenBitsPerPixel();

// A new record of width x height described by `like` (header, masks,
// palette copy), holding `source`'s pixels at its top left and `fill`
// elsewhere. A width or height of 0 gives an empty record that keeps the
// description. Fails with EOutOfResources when the system refuses.
BitmapImageRef CopyImage(const TBitmapImage& source, const TBitmapImage& like, int width, int height,
                         COLORREF fill);
// Gives a device-dependent record a DIB section of the display's depth
// holding the same pixels (kept alongside the device-dependent bitmap).
void EnsureDib(TBitmapImage& image);
// A device-dependent copy of a record's pixels: monochrome for a picture
// of black and white only, else compatible with the display.
Bitmap DeviceCopy(const TBitmapImage& image, COLORREF fill);
