#include "picture/bitmap.h"

#include <algorithm>
#include <cstdlib>

#include "picture/codec/bmp.h"
#include "picture/tiled_blit.h"
#include "platform/exceptions.h"
#include "ui/scope.h"

namespace {
void UseStretchMode(HDC dc, int deviceBits, int bitmapBits, bool monochrome) {
    if (deviceBits <= 8 && deviceBits < bitmapBits) {
        POINT origin{};
        GetBrushOrgEx(dc, &origin);
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    } else if (!monochrome) {
        SetStretchBltMode(dc, COLORONCOLOR);
    }
}

// A section of the same depth and colours as `image`, width x height.
Bitmap SmallSection(const TBitmapImage& image, int width, int height) {
    const std::vector<RGBQUAD> colours = ImageColours(image);
    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + colours.size() * sizeof(RGBQUAD));
    *reinterpret_cast<BITMAPINFOHEADER*>(info.data()) = BITMAPINFOHEADER{
        sizeof(BITMAPINFOHEADER), width, height, 1, WORD(image.BitsPerPixel()), BI_RGB, 0, 0, 0,
        DWORD(colours.size()), 0};
    std::copy(colours.begin(), colours.end(), reinterpret_cast<RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER)));
    void* bits = nullptr;
    Bitmap section(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &bits,
                                    nullptr, 0));
    if (!section) throw OutOfResources(GetLastError());
    return section;
}

WORD LayoutBits(TPixelLayout layout) {
    switch (layout) {
        case TPixelLayout::pf1Bit: return 1;
        case TPixelLayout::pf4Bit: return 4;
        case TPixelLayout::pf8Bit: return 8;
        case TPixelLayout::pf15Bit:
        case TPixelLayout::pf16Bit: return 16;
        case TPixelLayout::pf24Bit: return 24;
        default: return 32;
    }
}
}  // namespace

const TGraphicClass& TBitmap::Class() {
    static const TGraphicClass kind{"TBitmap", nullptr, &CreateGraphic<TBitmap>};
    return kind;
}

TBitmap::TBitmap() : image_(new TBitmapImage) {}

TBitmap::~TBitmap() = default;

void TBitmap::Install(BitmapImageRef image) {
    image_ = std::move(image);
    ignorePalette_ = false;
}

void TBitmap::InstallChanged(BitmapImageRef image) {
    Install(std::move(image));
    Changed(this);
}

void TBitmap::Unshare() {
    if (!image_.Shared()) return;
    const TBitmapImage& old = *image_;
    BitmapImageRef copy = CopyImage(old, old, old.Width(), old.Height(), BrushColor);
    if (old.dib && old.ddb) EnsureDib(*copy);
    image_ = std::move(copy);
}

void TBitmap::Assign(TObject* source) {
    if (!source) return InstallChanged(BitmapImageRef(new TBitmapImage));
    if (auto* other = dynamic_cast<TBitmap*>(source)) {
        if (other != this) {
            Install(other->image_);
            ignorePalette_ = other->ignorePalette_;
            transparentColor_ = other->transparentColor_;
            transparentMode_ = other->transparentMode_;
        }
        return Changed(this);
    }
    TGraphic::Assign(source);
}

void TBitmap::Changed(TObject* sender) {
    mask_.reset();
    TGraphic::Changed(sender);
}

bool TBitmap::IsEmpty() const { return image_->Empty(); }

int TBitmap::Width() const { return image_->Width(); }

int TBitmap::Height() const { return image_->Height(); }

bool TBitmap::Monochrome() const { return image_->BitsPerPixel() == 1; }

void TBitmap::Draw(TCanvas& canvas, const RECT& rect) {
    if (IsEmpty()) return;
    HDC dc = canvas.Handle();
    HPALETTE palette = Palette();
    // The mask is made from the image, which can be selected into one DC only.
    HBITMAP mask = Transparent() ? MaskHandle() : nullptr;
    PaletteGuard realise(dc, palette);
    DCStateGuard stretchMode(dc);
    const int deviceBits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
    UseStretchMode(dc, deviceBits, image_->BitsPerPixel(), Monochrome());
    if (!mask && ShrinksByDropping(rect, deviceBits)) return DrawShrunk(dc, rect, palette, canvas.CopyMode);
    MemoryDC source(dc);
    SelectGuard keep(source.get(), image_->Handle());
    PaletteGuard sourcePalette(source.get(), palette);
    if (mask) return DrawTransparent(dc, rect, source.get(), mask);
    TiledStretchBlt(dc, rect, source.get(), Width(), Height(), canvas.CopyMode);
}

// Colour-on-colour shrinking picks rows and columns of the picture. Asked
// to do it into a target of another format, the system first converts the
// whole picture (for a photo in the preview pane, all its megapixels on every
// paint); into a section of the picture's own format it converts nothing,
// and the small result is then copied as it is.
bool TBitmap::ShrinksByDropping(const RECT& rect, int deviceBits) const {
    const TBitmapImage& image = *image_;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top, bits = image.BitsPerPixel();
    if (image.ddb || !image.dib || image.header.biCompression != BI_RGB || Monochrome()) return false;
    if (w <= 0 || h <= 0 || w > Width() || h > Height() || (w == Width() && h == Height())) return false;
    // A target of 256 colours or fewer gets half-toning, which averages instead.
    return !(deviceBits <= 8 && deviceBits < bits);
}

void TBitmap::DrawShrunk(HDC dc, const RECT& rect, HPALETTE palette, DWORD rop) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    Bitmap small = SmallSection(*image_, w, h);
    MemoryDC source(dc), shrunk(dc);
    SelectGuard keepSource(source.get(), image_->dib.get());
    SelectGuard keepShrunk(shrunk.get(), small.get());
    SetStretchBltMode(shrunk.get(), COLORONCOLOR);
    StretchBlt(shrunk.get(), 0, 0, w, h, source.get(), 0, 0, Width(), Height(), SRCCOPY);
    PaletteGuard shrunkPalette(shrunk.get(), palette);
    BitBlt(dc, rect.left, rect.top, w, h, shrunk.get(), 0, 0, rop);
}

// Destination XOR image, AND mask, XOR image: where the mask is white the
// destination comes back, elsewhere the image shows.
void TBitmap::DrawTransparent(HDC dc, const RECT& rect, HDC source, HBITMAP mask) {
    MemoryDC maskDC(dc);
    SelectGuard keep(maskDC.get(), mask);
    DCStateGuard colours(dc);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    TiledStretchBlt(dc, rect, source, Width(), Height(), SRCINVERT);
    TiledStretchBlt(dc, rect, maskDC.get(), Width(), Height(), SRCAND);
    TiledStretchBlt(dc, rect, source, Width(), Height(), SRCINVERT);
}

HBITMAP TBitmap::MaskHandle() {
    if (mask_ || IsEmpty()) return mask_.get();
    const COLORREF key = TransparentColor();
    Bitmap mask(CreateBitmap(Width(), Height(), 1, 1, nullptr));
    if (!mask) throw OutOfResources(GetLastError());
    MemoryDC from, to;
    SelectGuard keepSource(from.get(), image_->Handle());
    SelectGuard keepMask(to.get(), mask.get());
    // Colour to monochrome: pixels of the background colour become white.
    SetBkColor(from.get(), key);
    BitBlt(to.get(), 0, 0, Width(), Height(), from.get(), 0, 0, SRCCOPY);
    mask_ = std::move(mask);
    return mask_.get();
}

COLORREF TBitmap::TransparentColor() {
    if (transparentColor_ != kDefaultTransparentColor && transparentMode_ == TTransparentMode::tmFixed)
        return transparentColor_;
    if (IsEmpty() || Monochrome()) return RGB(255, 255, 255);
    MemoryDC dc;
    SelectGuard keep(dc.get(), image_->Handle());
    return GetPixel(dc.get(), 0, Height() - 1);
}

void TBitmap::SetTransparentColor(COLORREF color) {
    if (color == transparentColor_) return;
    transparentColor_ = color;
    transparentMode_ = color == kDefaultTransparentColor ? TTransparentMode::tmAuto : TTransparentMode::tmFixed;
    Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (mode == transparentMode_) return;
    transparentMode_ = mode;
    if (mode == TTransparentMode::tmAuto) transparentColor_ = kDefaultTransparentColor;
    Changed(this);
}

HPALETTE TBitmap::Palette() {
    TBitmapImage& image = *image_;
    if (image.palette || ignorePalette_) return image.palette.get();
    if (image.BitsPerPixel() <= 8 && image.dib) image.palette = PaletteFromColours(ImageColours(image));
    if (!image.palette && !image.Empty() && (ScreenBitsPerPixel() < image.BitsPerPixel() || image.halftone)) {
        WindowDC screen(nullptr);
        image.palette.reset(CreateHalftonePalette(screen.get()));
        image.halftone = bool(image.palette);
    }
    if (!image.palette) ignorePalette_ = true;
    return image.palette.get();
}

void TBitmap::SetPalette(::Palette value) {
    if (value.get() == image_->palette.get()) return;
    if (!value && !image_.Shared()) {
        image_->palette.reset();
        image_->halftone = false;
    } else {
        // The new image takes its colour table from the new palette.
        TBitmapImage like;
        like.header = image_->header;
        std::copy(image_->masks, image_->masks + 3, like.masks);
        like.os2 = image_->os2;
        like.palette = std::move(value);
        BitmapImageRef image = CopyImage(*image_, like, Width(), Height(), BrushColor);
        image->halftone = false;
        Install(std::move(image));
    }
    ignorePalette_ = false;
    SetPaletteModified(true);
    Changed(this);
}

void TBitmap::SetWidth(int value) { SetSize(value, Height()); }

void TBitmap::SetHeight(int value) { SetSize(Width(), value); }

void TBitmap::SetSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == Width() && height == Height()) return;
    InstallChanged(CopyImage(*image_, *image_, width, height, BrushColor));
}

void TBitmap::LoadClipboardData(UINT format, HANDLE data, HPALETTE palette) {
    if (format != CF_BITMAP || !data) throw EInvalidGraphic("Unsupported clipboard format");
    BITMAP bm{};
    if (!GetObject(data, sizeof bm, &bm)) throw EInvalidGraphic("Unsupported clipboard format");
    TBitmapImage handed;
    handed.ddb.reset(static_cast<HBITMAP>(data));
    handed.header = BITMAPINFOHEADER{0, bm.bmWidth, bm.bmHeight, 1, WORD(bm.bmBitsPixel * bm.bmPlanes), BI_RGB,
                                     0, 0, 0, 0, 0};
    handed.palette.reset(palette);
    try {
        BitmapImageRef image = CopyImage(handed, handed, bm.bmWidth, bm.bmHeight, BrushColor);
        handed.ddb.release();
        handed.palette.release();
        image->os2 = false;
        InstallChanged(std::move(image));
    } catch (...) {
        // The handles stay the caller's.
        handed.ddb.release();
        handed.palette.release();
        throw;
    }
}

ClipboardData TBitmap::SaveClipboardData() {
    if (IsEmpty()) return {};
    HPALETTE own = Palette();
    Bitmap copy = DeviceCopy(*image_, BrushColor);
    ::Palette paletteCopy = CopyPalette(own);
    return ClipboardData(CF_BITMAP, copy.release(), std::move(paletteCopy));
}

HBITMAP TBitmap::Handle() {
    Unshare();
    return image_->Handle();
}

HBITMAP TBitmap::SharedHandle() const { return image_->Handle(); }

void TBitmap::SetHandle(Bitmap handle) {
    BitmapImageRef image(new TBitmapImage);
    image->palette = image_.Shared() ? CopyPalette(image_->palette.get()) : std::move(image_->palette);
    image->halftone = image_->halftone;
    image->header = image_->header;
    std::copy(image_->masks, image_->masks + 3, image->masks);
    image->header.biWidth = 0;
    image->header.biHeight = 0;
    if (handle) {
        DIBSECTION ds{};
        if (GetObject(handle.get(), sizeof ds, &ds) == int(sizeof ds)) {
            image->header = ds.dsBmih;
            image->header.biHeight = ds.dsBm.bmHeight;
            if (ds.dsBmih.biHeight < 0) image->header.biHeight = -ds.dsBm.bmHeight;
            std::copy(ds.dsBitfields, ds.dsBitfields + 3, image->masks);
            image->bits = static_cast<uint8_t*>(ds.dsBm.bmBits);
            image->dib = std::move(handle);
        } else {
            BITMAP bm{};
            GetObject(handle.get(), sizeof bm, &bm);
            image->header = BITMAPINFOHEADER{0, bm.bmWidth, bm.bmHeight, 1, WORD(bm.bmBitsPixel * bm.bmPlanes),
                                             BI_RGB, 0, 0, 0, 0, 0};
            image->ddb = std::move(handle);
        }
    }
    InstallChanged(std::move(image));
}

THandleKind TBitmap::HandleKind() const {
    return image_->DeviceDependent() ? THandleKind::bmDDB : THandleKind::bmDIB;
}

void TBitmap::SetHandleKind(THandleKind kind) {
    if (kind == HandleKind()) return;
    Unshare();
    TBitmapImage& image = *image_;
    if (image.Empty()) {
        image.header.biSize = kind == THandleKind::bmDDB ? 0 : sizeof(BITMAPINFOHEADER);
    } else if (kind == THandleKind::bmDDB) {
        image.ddb = DeviceCopy(image, BrushColor);
    } else {
        EnsureDib(image);
        image.ddb.reset();
    }
    Changed(this);
}

TPixelLayout TBitmap::PixelLayout() const {
    const TBitmapImage& image = *image_;
    if (image.DeviceDependent()) return TPixelLayout::pfDevice;
    const bool fields = image.header.biCompression == BI_BITFIELDS;
    switch (image.BitsPerPixel()) {
        case 1: return TPixelLayout::pf1Bit;
        case 4: return TPixelLayout::pf4Bit;
        case 8: return TPixelLayout::pf8Bit;
        case 16:
            if (!fields) return TPixelLayout::pf15Bit;
            return image.masks[1] == 0x07E0 ? TPixelLayout::pf16Bit : TPixelLayout::pfCustom;
        case 24: return TPixelLayout::pf24Bit;
        case 32: return fields ? TPixelLayout::pfCustom : TPixelLayout::pf32Bit;
        default: return TPixelLayout::pfCustom;
    }
}

void TBitmap::SetPixelLayout(TPixelLayout layout) {
    if (layout == PixelLayout()) return;
    if (layout == TPixelLayout::pfDevice) return SetHandleKind(THandleKind::bmDDB);
    if (layout == TPixelLayout::pfCustom) throw EInvalidGraphic("Invalid pixel format");
    TBitmapImage like;
    like.header.biWidth = Width();
    like.header.biHeight = Height();
    like.header.biBitCount = LayoutBits(layout);
    like.os2 = image_->os2;
    if (layout == TPixelLayout::pf16Bit) {
        like.header.biCompression = BI_BITFIELDS;
        like.masks[0] = 0xF800;
        like.masks[1] = 0x07E0;
        like.masks[2] = 0x001F;
    }
    if (layout == TPixelLayout::pf4Bit) {
        like.palette = PaletteFromColours(std::vector<RGBQUAD>(
            {{0, 0, 0, 0},       {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0},
             {128, 0, 0, 0},     {128, 0, 128, 0}, {128, 128, 0, 0}, {192, 192, 192, 0},
             {128, 128, 128, 0}, {0, 0, 255, 0},   {0, 255, 0, 0},   {0, 255, 255, 0},
             {255, 0, 0, 0},     {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0}}));
    } else if (layout == TPixelLayout::pf8Bit) {
        WindowDC screen(nullptr);
        like.palette.reset(CreateHalftonePalette(screen.get()));
    } else {
        like.palette = CopyPalette(image_->palette.get());
    }
    const bool paletted = bool(like.palette);
    Install(CopyImage(*image_, like, Width(), Height(), BrushColor));
    SetPaletteModified(paletted);
    Changed(this);
}

uint8_t* TBitmap::RowAddress(int row) {
    if (row < 0 || row > Height()) throw EInvalidGraphicOperation("Scan line index out of range");
    Unshare();
    TBitmapImage& image = *image_;
    // Pixels written through the address must be what is drawn: use the section alone.
    if (image.ddb) {
        EnsureDib(image);
        image.ddb.reset();
    }
    if (!image.bits) return nullptr;
    GdiFlush();
    const int64_t stride = int64_t(codec::bmp::Stride(uint32_t(image.Width()), image.header.biBitCount));
    const int64_t r = image.header.biHeight <= 0 ? row : int64_t(image.header.biHeight) - row - 1;
    return reinterpret_cast<uint8_t*>(reinterpret_cast<intptr_t>(image.bits) + intptr_t(r * stride));
}
