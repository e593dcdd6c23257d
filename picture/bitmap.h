#pragma once
// Windows bitmap pictures, and the pixel store other kinds decode into.
// Copies share one TBitmapImage; the first change made through a copy gives
// it a private image first. The image is a DIB section, or a device-dependent
// bitmap for run-length-encoded files (decoded by the system).
//
// For decoders (e.g. the JPEG kind): SetPixelLayout(pf24Bit or pf8Bit) on an
// empty bitmap keeps that layout for a later SetSize; SetPalette installs the
// colour table; RowAddress(row) gives the pixel memory of a row counted from
// the top (rows of a bottom-up image run downwards in memory); call Changed
// after writing pixels. SetSize(0, 0) empties the bitmap and keeps its
// layout; Assign(nullptr) empties it and forgets the layout.
#include <windows.h>

#include <cstdint>

#include "picture/bitmap_image.h"
#include "picture/graphic.h"

enum class TPixelLayout { pfDevice, pf1Bit, pf4Bit, pf8Bit, pf15Bit, pf16Bit, pf24Bit, pf32Bit, pfCustom };
enum class THandleKind { bmDIB, bmDDB };
enum class TTransparentMode { tmAuto, tmFixed };

// The transparent colour of tmAuto: the bottom-left pixel.
constexpr COLORREF kDefaultTransparentColor = 0x20000000;

class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;

    static const TGraphicClass& Class();
    const TGraphicClass& Kind() const override { return Class(); }

    // From a bitmap: share its image and take its transparent colour and
    // mode; from null: become empty; other kinds copy themselves (AssignTo).
    void Assign(TObject* source) override;
    void Changed(TObject* sender) override;
    void Draw(TCanvas& canvas, const RECT& rect) override;
    bool IsEmpty() const override;
    int Width() const override;
    int Height() const override;
    // The image's palette, derived from its colour table (or a halftone
    // palette for a display of fewer colours) on first use.
    HPALETTE Palette() override;
    void SetPalette(::Palette value) override;
    // Rebuild the image at the new size in the same layout, the old content
    // at the top left and the rest filled with BrushColor.
    void SetWidth(int value) override;
    void SetHeight(int value) override;
    void SetSize(int width, int height);

    // A 4-byte little-endian length, then that many bytes of BMP file.
    void ReadStoredData(TStream& stream) override;
    void WriteStoredData(TStream& stream) override;
    void LoadStream(TStream& stream) override;
    void SaveStream(TStream& stream) override;
    // CF_BITMAP only.
    void LoadClipboardData(UINT format, HANDLE data, HPALETTE palette) override;
    // CF_BITMAP: a device-dependent copy on BrushColor, and a copy of the palette.
    ClipboardData SaveClipboardData() override;

    // The drawing handle (still owned by the bitmap), after unsharing.
    HBITMAP Handle();
    // The same handle without unsharing, only to read from: other graphics
    // may hold the same pixels.
    HBITMAP SharedHandle() const;
    // Takes over a bitmap handle; null drops the pixels and keeps the palette.
    void SetHandle(Bitmap handle);
    // Monochrome mask of the transparent colour, built on demand.
    HBITMAP MaskHandle();
    THandleKind HandleKind() const;
    void SetHandleKind(THandleKind kind);
    TPixelLayout PixelLayout() const;
    // pfCustom fails with "Invalid pixel format".
    void SetPixelLayout(TPixelLayout layout);
    // Pixel memory of row `row` counted from the top, 0 <= row <= Height()
    // (the row at Height() only measures the distance between rows); other
    // rows fail with "Scan line index out of range". Null while empty.
    uint8_t* RowAddress(int row);
    bool Monochrome() const;

    COLORREF TransparentColor();
    void SetTransparentColor(COLORREF color);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode);

    // Fill of new areas and of the clipboard copy.
    COLORREF BrushColor = RGB(255, 255, 255);

private:
    void Unshare();
    void Install(BitmapImageRef image);
    void InstallChanged(BitmapImageRef image);
    void DrawTransparent(HDC dc, const RECT& rect, HDC source, HBITMAP mask);
    bool ShrinksByDropping(const RECT& rect, int deviceBits) const;
    void DrawShrunk(HDC dc, const RECT& rect, HPALETTE palette, DWORD rop);

    BitmapImageRef image_;
    Bitmap mask_;
    bool ignorePalette_ = false;
    COLORREF transparentColor_ = kDefaultTransparentColor;
    TTransparentMode transparentMode_ = TTransparentMode::tmAuto;
};
