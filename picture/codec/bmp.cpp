#include "picture/codec/bmp.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "picture/codec/errors.h"
#include "picture/codec/little_endian.h"

namespace codec::bmp {
namespace {

constexpr std::size_t kCoreEntrySize = 3;
constexpr std::size_t kInfoEntrySize = 4;
// The smallest header that carries all three masks itself (V2 and later).
constexpr uint32_t kHeaderWithMasks = kInfoHeaderSize + kMasksSize;
constexpr std::size_t kSizeImageAt = 20;
constexpr std::size_t kClrUsedAt = 32;

using Block = le::Bytes<InvalidData>;

// Hands out consecutive blocks of the stream; Fault names what running out means.
class Cursor {
public:
    Cursor(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    template <class Fault>
    Block Take(std::size_t n) {
        if (size_ - pos_ < n) throw Fault();
        Block block(data_ + pos_, n);
        pos_ += n;
        return block;
    }
    std::size_t Position() const { return pos_; }
    // The bytes taken since an earlier position, as one block.
    Block Since(std::size_t start) const { return Block(data_ + start, pos_ - start); }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

void PutInfoHeader(std::vector<uint8_t>& out, const InfoHeader& h) {
    le::Append32(out, h.size);
    le::Append32(out, static_cast<uint32_t>(h.width));
    le::Append32(out, static_cast<uint32_t>(h.height));
    le::Append16(out, h.planes);
    le::Append16(out, h.bitCount);
    le::Append32(out, h.compression);
    le::Append32(out, h.sizeImage);
    le::Append32(out, static_cast<uint32_t>(h.xPelsPerMeter));
    le::Append32(out, static_cast<uint32_t>(h.yPelsPerMeter));
    le::Append32(out, h.clrUsed);
    le::Append32(out, h.clrImportant);
}

uint64_t Magnitude(int32_t height) {
    return height < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(height))
                      : static_cast<uint64_t>(height);
}

bool UncompressedDepth(uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool KnownFormat(uint32_t compression, uint16_t bits) {
    switch (compression) {
    case kRgb: return UncompressedDepth(bits);
    case kRle8: return bits == 8;
    case kRle4: return bits == 4;
    case kBitFields: return bits == 16 || bits == 32;
    default: return false;
    }
}

uint32_t DefaultColourCount(uint16_t bits) { return bits <= 8 ? 1u << bits : 0; }

void ReadFileHeader(Cursor& in) {
    Block file = in.Take<ShortRead>(kFileHeaderSize);
    if (file.U16(0) != 0x4D42) throw InvalidData();
}

InfoHeader FromCore(const Block& core) {
    InfoHeader h;
    h.width = core.U16(4);
    h.height = core.U16(6);
    h.planes = core.U16(8);
    h.bitCount = core.U16(10);
    return h;
}

InfoHeader FromInfo(const Block& info) {
    InfoHeader h;
    h.size = info.U32(0);
    h.width = info.I32(4);
    h.height = info.I32(8);
    h.planes = info.U16(12);
    h.bitCount = info.U16(14);
    h.compression = info.U32(16);
    h.sizeImage = info.U32(20);
    h.xPelsPerMeter = info.I32(24);
    h.yPelsPerMeter = info.I32(28);
    h.clrUsed = info.U32(32);
    h.clrImportant = info.U32(36);
    return h;
}

// Reads the bitmap header into layout; returns its size as stored (12 for OS/2).
uint32_t ReadBitmapHeader(Cursor& in, Layout& layout) {
    const std::size_t start = in.Position();
    const uint32_t size = in.Take<InvalidData>(4).U32(0);
    if (size == kCoreHeaderSize) {
        in.Take<InvalidData>(size - 4);
        layout.os2 = true;
        layout.header = FromCore(in.Since(start));
        PutInfoHeader(layout.info, layout.header);
        return size;
    }
    if (size < kInfoHeaderSize || size > kMaxHeaderSize) throw InvalidData();
    in.Take<InvalidData>(size - 4);
    const Block header = in.Since(start);
    layout.header = FromInfo(header);
    layout.info.assign(header.data(), header.data() + size);
    if (layout.header.compression == kBitFields && size >= kHeaderWithMasks)
        layout.masks = Masks{header.U32(40), header.U32(44), header.U32(48)};
    return size;
}

void CheckHeader(Layout& layout, uint32_t headerSize) {
    const InfoHeader& h = layout.header;
    if (h.planes != 1) throw InvalidData();
    if (!KnownFormat(h.compression, h.bitCount)) throw InvalidData();
    // Masks partly inside a short header would make the system read past it.
    if (h.compression == kBitFields && headerSize != kInfoHeaderSize && headerSize < kHeaderWithMasks)
        throw InvalidData();
    if (h.width <= 0 || h.height == 0 || h.height == std::numeric_limits<int32_t>::min())
        throw InvalidData();
    if (layout.IsRle() && h.height < 0) throw InvalidData();
    const uint64_t rows = Magnitude(h.height);
    const auto width = static_cast<uint32_t>(h.width);
    layout.imageBytes = Stride(width, h.bitCount) * rows;
    if (layout.imageBytes > kMaxImageBytes) throw InvalidData();
    if (layout.IsRle() && Stride(width, 32) * rows > kMaxImageBytes) throw InvalidData();
}

void ReadMasks(Cursor& in, Layout& layout, uint32_t headerSize) {
    if (headerSize != kInfoHeaderSize || layout.header.compression != kBitFields) return;
    Block masks = in.Take<ShortRead>(kMasksSize);
    layout.masks = Masks{masks.U32(0), masks.U32(4), masks.U32(8)};
    layout.info.insert(layout.info.end(), masks.data(), masks.data() + kMasksSize);
}

void ReadColours(Cursor& in, Layout& layout) {
    InfoHeader& h = layout.header;
    if (h.clrUsed == 0) h.clrUsed = DefaultColourCount(h.bitCount);
    if (h.clrUsed > kMaxColours) throw InvalidData();
    const std::size_t entry = layout.os2 ? kCoreEntrySize : kInfoEntrySize;
    const Block table = in.Take<ShortRead>(h.clrUsed * entry);
    for (std::size_t at = 0; at < table.size(); at += entry) {
        const uint8_t* p = table.data() + at;
        const Colour c{p[0], p[1], p[2], layout.os2 ? uint8_t{0} : p[3]};
        layout.colours.push_back(c);
        layout.info.insert(layout.info.end(), {c.blue, c.green, c.red, c.reserved});
    }
}

void MeasurePixels(Layout& layout, uint64_t available) {
    InfoHeader& h = layout.header;
    const uint64_t declared = h.sizeImage ? h.sizeImage : layout.imageBytes;
    const uint64_t present = available - layout.pixelOffset;
    // Uncompressed bits go straight into the section: never more than it holds.
    const uint64_t limit = layout.IsRle() ? kMaxImageBytes : layout.imageBytes;
    layout.pixelBytes = std::min({declared, present, limit});
    // The system's RLE decoder reads sizeImage bytes: tell it only what is there.
    h.sizeImage = static_cast<uint32_t>(layout.IsRle() ? layout.pixelBytes : layout.imageBytes);
    le::Put32(layout.info, kSizeImageAt, h.sizeImage);
    le::Put32(layout.info, kClrUsedAt, h.clrUsed);
    if (layout.info.size() < kHeaderWithMasks) layout.info.resize(kHeaderWithMasks, 0);
}

// Advances an RLE position, refusing any step that leaves the pixel rows.
class RlePen {
public:
    RlePen(uint64_t width, uint64_t height) : width_(width), height_(height) {}
    void Paint(uint64_t n) {
        if (y_ >= height_ || n > width_ - x_) throw InvalidData();
        x_ += n;
    }
    void EndOfLine() {
        if (y_ >= height_) throw InvalidData();
        x_ = 0;
        ++y_;
    }
    void Move(uint64_t dx, uint64_t dy) {
        if (dx > width_ - x_ || dy > height_ - y_) throw InvalidData();
        x_ += dx;
        y_ += dy;
    }

private:
    uint64_t width_, height_;
    uint64_t x_ = 0, y_ = 0;
};

void CheckDescription(const Description& p) {
    if (p.width < 0 || p.height == std::numeric_limits<int32_t>::min())
        throw std::invalid_argument("bitmap size");
    if (p.compression != kRgb && p.compression != kBitFields) throw std::invalid_argument("compression");
    if (!KnownFormat(p.compression, p.bitCount)) throw std::invalid_argument("bit count");
    if (p.colours.size() > kMaxColours) throw std::invalid_argument("colour count");
    if (p.bitCount <= 8 && p.colours.empty()) throw std::invalid_argument("colour table");
    const uint64_t image = Stride(static_cast<uint32_t>(p.width), p.bitCount) * Magnitude(p.height);
    if (p.pixels.size() != image) throw std::invalid_argument("pixel bytes");
}

bool FitsCore(const Description& p) {
    return p.os2 && p.compression == kRgb && p.width <= 0xFFFF && p.height > 0 && p.height <= 0xFFFF;
}

Masks MasksToWrite(const Description& p) {
    const Masks& m = p.masks;
    if (m.red || m.green || m.blue) return m;
    if (p.bitCount == 16) return Masks{0xF800, 0x07E0, 0x001F};
    return Masks{0xFF0000, 0xFF00, 0xFF};
}

void PutCore(std::vector<uint8_t>& out, const Description& p) {
    le::Append32(out, kCoreHeaderSize);
    le::Append16(out, static_cast<uint16_t>(p.width));
    le::Append16(out, static_cast<uint16_t>(p.height));
    le::Append16(out, 1);
    le::Append16(out, p.bitCount);
    // A core header has no colour count: readers take 2^bits entries.
    const std::size_t count = DefaultColourCount(p.bitCount);
    for (std::size_t i = 0; i < count; ++i) {
        const Colour c = i < p.colours.size() ? p.colours[i] : Colour{};
        out.insert(out.end(), {c.blue, c.green, c.red});
    }
}

void PutInfo(std::vector<uint8_t>& out, const Description& p) {
    InfoHeader h;
    h.width = p.width;
    h.height = p.height;
    h.bitCount = p.bitCount;
    h.compression = p.compression;
    h.sizeImage = static_cast<uint32_t>(p.pixels.size());
    h.xPelsPerMeter = p.xPelsPerMeter;
    h.yPelsPerMeter = p.yPelsPerMeter;
    h.clrUsed = static_cast<uint32_t>(p.colours.size());
    h.clrImportant = p.clrImportant;
    PutInfoHeader(out, h);
    if (p.compression == kBitFields) {
        const Masks m = MasksToWrite(p);
        le::Append32(out, m.red);
        le::Append32(out, m.green);
        le::Append32(out, m.blue);
    }
    for (const Colour& c : p.colours) out.insert(out.end(), {c.blue, c.green, c.red, c.reserved});
}

}  // namespace

uint64_t Stride(uint32_t width, uint16_t bitCount) {
    return ((static_cast<uint64_t>(width) * bitCount + 31) & ~uint64_t{31}) / 8;
}

Layout ReadLayout(const uint8_t* prefix, std::size_t prefixSize, uint64_t available) {
    Layout layout;
    if (available == 0) {
        layout.empty = true;
        return layout;
    }
    Cursor in(prefix, static_cast<std::size_t>(std::min<uint64_t>(prefixSize, available)));
    ReadFileHeader(in);
    const uint32_t headerSize = ReadBitmapHeader(in, layout);
    CheckHeader(layout, headerSize);
    ReadMasks(in, layout, headerSize);
    ReadColours(in, layout);
    layout.pixelOffset = in.Position();
    MeasurePixels(layout, available);
    return layout;
}

void CheckRle(const InfoHeader& header, const uint8_t* data, std::size_t size) {
    const bool rle4 = header.compression == kRle4;
    if ((!rle4 && header.compression != kRle8) || header.width <= 0 || header.height <= 0)
        throw InvalidData();
    // Common encoders also write the row padding, which is still inside the
    // pixel memory, so a row may hold stride x 8 / bits pixels.
    const uint64_t rowPixels = Stride(static_cast<uint32_t>(header.width), header.bitCount) * 8 /
                               (rle4 ? 4 : 8);
    RlePen pen(rowPixels, static_cast<uint64_t>(header.height));
    std::size_t at = 0;
    while (size - at >= 2) {
        const uint8_t count = data[at], value = data[at + 1];
        at += 2;
        if (count != 0) {
            pen.Paint(count);
        } else if (value == 0) {
            pen.EndOfLine();
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (size - at < 2) throw InvalidData();
            pen.Move(data[at], data[at + 1]);
            at += 2;
        } else {
            // Absolute run: the pixels, padded to a 16-bit boundary.
            const std::size_t bytes = rle4 ? (value + 1u) / 2 : value;
            if (size - at < bytes) throw InvalidData();
            pen.Paint(value);
            at += bytes;
            if (bytes % 2 != 0 && at < size) ++at;
        }
    }
}

Description Describe(const Layout& layout, const uint8_t* pixels, std::size_t size) {
    if (layout.IsRle()) throw std::invalid_argument("run-length layout");
    Description p;
    if (layout.empty) return p;
    const InfoHeader& h = layout.header;
    p.width = h.width;
    p.height = h.height;
    p.bitCount = h.bitCount;
    p.compression = h.compression;
    p.xPelsPerMeter = h.xPelsPerMeter;
    p.yPelsPerMeter = h.yPelsPerMeter;
    p.clrImportant = h.clrImportant;
    p.masks = layout.masks;
    p.colours = layout.colours;
    p.os2 = layout.os2;
    const std::size_t used = static_cast<std::size_t>(std::min<uint64_t>(size, layout.imageBytes));
    p.pixels.assign(pixels, pixels + used);
    p.pixels.resize(static_cast<std::size_t>(layout.imageBytes), 0);
    return p;
}

std::vector<uint8_t> Write(const Description& picture) {
    if (picture.width == 0 || picture.height == 0) return {};
    CheckDescription(picture);
    std::vector<uint8_t> headers;
    if (FitsCore(picture))
        PutCore(headers, picture);
    else
        PutInfo(headers, picture);
    const uint64_t offset = kFileHeaderSize + headers.size();
    const uint64_t total = offset + picture.pixels.size();
    if (total > std::numeric_limits<uint32_t>::max()) throw std::invalid_argument("file size");
    std::vector<uint8_t> out;
    out.reserve(static_cast<std::size_t>(total));
    out.push_back('B');
    out.push_back('M');
    le::Append32(out, static_cast<uint32_t>(total));
    le::Append32(out, 0);
    le::Append32(out, static_cast<uint32_t>(offset));
    out.insert(out.end(), headers.begin(), headers.end());
    out.insert(out.end(), picture.pixels.begin(), picture.pixels.end());
    return out;
}

}  // namespace codec::bmp
