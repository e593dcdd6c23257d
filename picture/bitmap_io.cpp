// Reading and writing BMP streams: the codec checks the bytes, the system
// makes the bitmap, and the pixel bits go straight into the section.
#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "picture/bitmap.h"
#include "picture/codec/bmp.h"
#include "picture/codec_errors.h"
#include "picture/stored_data.h"
#include "platform/exceptions.h"
#include "platform/stream.h"

namespace bmp = codec::bmp;

namespace {
const char kInvalidBitmap[] = "Bitmap image is not valid";

[[noreturn]] void Invalid() { throw EInvalidGraphic(kInvalidBitmap); }

// The system refused to make the bitmap: its error code when it gave one.
[[noreturn]] void CreationFailed() {
    const DWORD code = GetLastError();
    if (code) throw Win32Error(code);
    Invalid();
}

std::vector<RGBQUAD> Quads(const std::vector<bmp::Colour>& colours) {
    std::vector<RGBQUAD> out;
    for (const bmp::Colour& c : colours) out.push_back(RGBQUAD{c.blue, c.green, c.red, c.reserved});
    return out;
}

const BITMAPINFO* Info(const bmp::Layout& layout) {
    return reinterpret_cast<const BITMAPINFO*>(layout.info.data());
}

void DescribeHeader(TBitmapImage& image, const bmp::Layout& layout) {
    const bmp::InfoHeader& h = layout.header;
    image.header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), h.width, h.height, 1, h.bitCount, h.compression,
                                    DWORD(layout.imageBytes), h.xPelsPerMeter, h.yPelsPerMeter, h.clrUsed,
                                    h.clrImportant};
    image.masks[0] = layout.masks.red;
    image.masks[1] = layout.masks.green;
    image.masks[2] = layout.masks.blue;
}

// Run-length data: decoded by the system into a bitmap compatible with the display.
BitmapImageRef ReadRle(TStream& stream, const bmp::Layout& layout) {
    std::vector<uint8_t> data(size_t(layout.pixelBytes));
    stream.ReadBuffer(data.data(), data.size());
    Checked(kInvalidBitmap, [&] { bmp::CheckRle(layout.header, data.data(), data.size()); return 0; });
    BitmapImageRef image(new TBitmapImage);
    image->palette = PaletteFromColours(Quads(layout.colours));
    WindowDC screen(nullptr);
    PaletteGuard realise(screen.get(), image->palette.get());
    SetLastError(0);
    HBITMAP made = CreateCompatibleBitmap(screen.get(), layout.header.width, layout.header.height);
    if (!made) CreationFailed();
    image->ddb.reset(made);
    // No data at all leaves the bitmap blank.
    if (!data.empty() && !SetDIBits(screen.get(), made, 0, UINT(layout.header.height), data.data(), Info(layout),
                                    DIB_RGB_COLORS))
        CreationFailed();
    BITMAP bm{};
    GetObject(made, sizeof bm, &bm);
    image->header = BITMAPINFOHEADER{0, layout.header.width, layout.header.height, 1,
                                     WORD(bm.bmBitsPixel * bm.bmPlanes), BI_RGB, 0, 0, 0, 0, 0};
    return image;
}

// Uncompressed: a section made from the header and colour table as read.
BitmapImageRef ReadSection(TStream& stream, const bmp::Layout& layout) {
    BitmapImageRef image(new TBitmapImage);
    SetLastError(0);
    void* bits = nullptr;
    HBITMAP made = CreateDIBSection(nullptr, Info(layout), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (made) image->dib.reset(made);
    if (!made || !bits) CreationFailed();
    image->bits = static_cast<uint8_t*>(bits);
    DescribeHeader(*image, layout);
    stream.ReadBuffer(bits, size_t(layout.pixelBytes));
    if (layout.header.bitCount > 8 && !layout.colours.empty())
        image->palette = PaletteFromColours(Quads(layout.colours));
    return image;
}

std::vector<bmp::Colour> ColoursToWrite(const TBitmapImage& image) {
    std::vector<RGBQUAD> quads = ImageColours(image);
    if (quads.empty() && image.palette && !image.halftone) quads = PaletteColours(image.palette.get());
    std::vector<bmp::Colour> out;
    for (const RGBQUAD& q : quads) out.push_back(bmp::Colour{q.rgbBlue, q.rgbGreen, q.rgbRed, 0});
    return out;
}

bmp::Description Describe(const TBitmapImage& image) {
    const BITMAPINFOHEADER& h = image.header;
    bmp::Description d;
    d.width = h.biWidth;
    d.height = h.biHeight;
    d.bitCount = h.biBitCount;
    d.compression = h.biCompression == BI_BITFIELDS ? bmp::kBitFields : bmp::kRgb;
    d.xPelsPerMeter = h.biXPelsPerMeter;
    d.yPelsPerMeter = h.biYPelsPerMeter;
    d.clrImportant = h.biClrImportant;
    if (d.compression == bmp::kBitFields) d.masks = bmp::Masks{image.masks[0], image.masks[1], image.masks[2]};
    d.colours = ColoursToWrite(image);
    d.os2 = image.os2;
    GdiFlush();
    const uint64_t size = bmp::Stride(uint32_t(h.biWidth), h.biBitCount) * uint64_t(image.Height());
    d.pixels.assign(image.bits, image.bits + size);
    return d;
}
}  // namespace

void TBitmap::LoadStream(TStream& stream) {
    const int64_t start = stream.Position();
    const uint64_t available = uint64_t(std::max<int64_t>(0, stream.Size() - start));
    std::vector<uint8_t> prefix(size_t(std::min<uint64_t>(available, bmp::kMaxPrefix)));
    stream.ReadBuffer(prefix.data(), prefix.size());
    const bmp::Layout layout = Checked(kInvalidBitmap, [&] { return bmp::ReadLayout(prefix.data(), prefix.size(), available); });
    if (layout.empty) {
        Install(BitmapImageRef(new TBitmapImage));
        return;
    }
    stream.SetPosition(start + int64_t(layout.pixelOffset));
    BitmapImageRef image = layout.IsRle() ? ReadRle(stream, layout) : ReadSection(stream, layout);
    image->os2 = layout.os2;
    Install(std::move(image));
    SetPaletteModified(Palette() != nullptr);
    Changed(this);
}

void TBitmap::SaveStream(TStream& stream) {
    if (IsEmpty()) return;
    EnsureDib(*image_);
    std::vector<uint8_t> bytes;
    try {
        bytes = bmp::Write(Describe(*image_));
    } catch (const std::invalid_argument&) {
        Invalid();
    }
    stream.WriteBuffer(bytes.data(), bytes.size());
}

void TBitmap::ReadStoredData(TStream& stream) {
    TMemoryStream bytes(ReadStoredBytes(stream, ReadStoredLength(stream)));
    LoadStream(bytes);
}

void TBitmap::WriteStoredData(TStream& stream) {
    TMemoryStream file;
    SaveStream(file);
    WriteStoredLength(stream, uint32_t(file.Bytes().size()));
    stream.WriteBuffer(file.Bytes().data(), file.Bytes().size());
}
