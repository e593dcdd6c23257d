#include "picture/codec/ico.h"

#include <algorithm>

#include "picture/codec/errors.h"
#include "picture/codec/little_endian.h"

namespace codec::ico {
namespace {

using le::U16;
using le::U32;
using le::I32;

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr size_t kNoEntry = static_cast<size_t>(-1);
// The version 4 and 5 headers: the 40-byte header's fields and more after them.
constexpr uint32_t kV4HeaderSize = 108, kV5HeaderSize = 124;

// Offsets inside a BITMAPINFOHEADER.
constexpr size_t kBiSize = 0, kBiWidth = 4, kBiHeight = 8, kBiPlanes = 12, kBiBitCount = 14,
                 kBiCompression = 16, kBiSizeImage = 20, kBiClrUsed = 32, kBiClrImportant = 36;

uint32_t BigEndian32(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

bool ChunkIs(const uint8_t* chunk, const char* type) { return std::equal(type, type + 4, chunk + 4); }

// Chunks that make the pixels; the others (text, profiles, times) only describe them.
bool PixelChunk(const uint8_t* chunk) {
    for (const char* type : {"IHDR", "PLTE", "tRNS", "IDAT", "IEND"})
        if (ChunkIs(chunk, type)) return true;
    return false;
}

constexpr uint8_t kPngEnd[12] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};

bool IsPng(const uint8_t* data, size_t size, const Entry& e) {
    if (e.size < sizeof kPngSignature || !le::Fits(size, e.offset, sizeof kPngSignature))
        return false;
    return std::equal(kPngSignature, kPngSignature + sizeof kPngSignature, data + e.offset);
}

bool SupportedDepth(uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

uint32_t TableEntries(uint16_t bits) {
    return bits <= 8 ? (1u << bits) : 0;
}

// Bytes of one row, padded to 32 bits.
uint64_t Stride(int32_t width, uint16_t bits) {
    return (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
}

// stride * rows, refused when it does not fit in the bytes left.
uint64_t PartSize(uint64_t stride, int32_t rows, uint64_t left) {
    if (stride > left) throw InvalidData{};
    uint64_t bytes = stride * static_cast<uint64_t>(rows);  // < 2^33 * 2^31
    if (bytes > left) throw InvalidData{};
    return bytes;
}

void PutI32(std::vector<uint8_t>& v, size_t offset, int32_t x) {
    le::Put32(v.data() + offset, static_cast<uint32_t>(x));
}

std::vector<uint8_t> MaskInfo(int32_t width, int32_t height, uint32_t bitsSize) {
    std::vector<uint8_t> info(kInfoHeaderSize + 8, 0);
    le::Put32(info.data() + kBiSize, kInfoHeaderSize);
    PutI32(info, kBiWidth, width);
    PutI32(info, kBiHeight, height);
    le::Put16(info.data() + kBiPlanes, 1);
    le::Put16(info.data() + kBiBitCount, 1);
    le::Put32(info.data() + kBiSizeImage, bitsSize);
    std::fill(info.begin() + kInfoHeaderSize + 4, info.begin() + kInfoHeaderSize + 7, 0xFF);
    return info;
}

}  // namespace

Header CheckHeader(const uint8_t* data, size_t size) {
    Header h;
    h.reserved = U16<ShortRead>(data, size, 0);
    h.type = U16<ShortRead>(data, size, 2);
    h.count = U16<ShortRead>(data, size, 4);
    if (h.type >= 2) throw InvalidData{};
    return h;
}

uint16_t DisplayColours(uint16_t planes, uint16_t bitsPerPixel) {
    uint16_t bits = static_cast<uint16_t>(planes * bitsPerPixel);
    if (bits == 24) return 0;
    return static_cast<uint16_t>(1u << (bits % 32));
}

std::vector<Entry> ReadDirectory(const uint8_t* data, size_t size) {
    Header h = CheckHeader(data, size);
    if (h.count == 0) throw InvalidData{};
    le::Require<InvalidData>(size, kHeaderSize, uint64_t{h.count} * kEntrySize);
    std::vector<Entry> entries(h.count);
    for (size_t i = 0; i < entries.size(); ++i) {
        size_t at = kHeaderSize + i * kEntrySize;
        Entry& e = entries[i];
        e.colourCount = U16<InvalidData>(data, size, at + 2);
        e.size = U32<InvalidData>(data, size, at + 8);
        e.offset = U32<InvalidData>(data, size, at + 12);
        e.png = IsPng(data, size, e);
    }
    return entries;
}

size_t ChooseEntry(const std::vector<Entry>& entries, uint16_t displayColours) {
    size_t candidate = kNoEntry;
    uint16_t reference = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        if (e.colourCount == displayColours) return i;
        if (candidate == kNoEntry) {
            if (e.colourCount <= displayColours) {
                candidate = i;
                reference = e.colourCount;
            }
        } else if (e.colourCount > reference) {
            candidate = i;
        }
    }
    return candidate != kNoEntry ? candidate : 0;
}

Image CheckPng(const uint8_t* png, size_t size) {
    constexpr size_t kChunkFrame = 12, kHeaderData = 13;
    size_t at = sizeof kPngSignature;
    le::Require<InvalidData>(size, at, kChunkFrame + kHeaderData);
    const uint8_t* header = png + at;
    if (BigEndian32(header) != kHeaderData || !ChunkIs(header, "IHDR")) throw InvalidData{};
    Image out;
    const uint32_t width = BigEndian32(header + 8), height = BigEndian32(header + 12);
    if (width == 0 || height == 0 || width > kMaxPngSide || height > kMaxPngSide) throw InvalidData{};
    out.width = int32_t(width);
    out.height = int32_t(height);
    out.png.assign(png, png + at);
    bool data = false, ended = false;
    // A chunk cut by the end of the image ends the chain; the end chunk is then supplied.
    while (!ended && le::Fits(size, at, kChunkFrame)) {
        const uint32_t length = BigEndian32(png + at);
        if (length > INT32_MAX) throw InvalidData{};
        if (!le::Fits(size, at, uint64_t{length} + kChunkFrame)) break;
        const uint8_t* chunk = png + at;
        if (PixelChunk(chunk)) out.png.insert(out.png.end(), chunk, chunk + length + kChunkFrame);
        data = data || ChunkIs(chunk, "IDAT");
        ended = ChunkIs(chunk, "IEND");
        at += length + kChunkFrame;
    }
    if (!data) throw InvalidData{};
    if (!ended) out.png.insert(out.png.end(), kPngEnd, kPngEnd + sizeof kPngEnd);
    return out;
}

Image DecodeImage(const uint8_t* image, size_t size) {
    const uint32_t headerSize = U32<InvalidData>(image, size, kBiSize);
    if (headerSize != kInfoHeaderSize && headerSize != kV4HeaderSize && headerSize != kV5HeaderSize)
        throw InvalidData{};
    le::Require<InvalidData>(size, 0, headerSize);
    Image out;
    out.width = I32<InvalidData>(image, size, kBiWidth);
    int32_t stored = I32<InvalidData>(image, size, kBiHeight);
    out.bitCount = U16<InvalidData>(image, size, kBiBitCount);
    // Other compressions would make the system read masks or runs we never checked.
    if (U32<InvalidData>(image, size, kBiCompression) != 0) throw InvalidData{};
    if (out.width <= 0 || stored <= 0 || !SupportedDepth(out.bitCount)) throw InvalidData{};
    out.height = stored / 2;  // the stored height counts the colour part and the mask
    if (out.height == 0) throw InvalidData{};

    const uint64_t tableSize = uint64_t{TableEntries(out.bitCount)} * 4;
    const uint64_t infoSize = headerSize + tableSize;
    le::Require<InvalidData>(size, 0, infoSize);
    uint64_t left = size - infoSize;
    uint64_t colourSize = PartSize(Stride(out.width, out.bitCount), out.height, left);
    uint64_t maskSize = PartSize(Stride(out.width, 1), out.height, left - colourSize);

    const uint8_t* colourBits = image + infoSize;
    // The system gets the 40-byte header's fields, whatever version the file has.
    out.colour.info.assign(image, image + kInfoHeaderSize);
    out.colour.info.insert(out.colour.info.end(), image + headerSize, image + infoSize);
    le::Put32(out.colour.info.data() + kBiSize, kInfoHeaderSize);
    PutI32(out.colour.info, kBiHeight, out.height);
    // The table always has the full entries for the depth, so say so; and size the bits exactly.
    le::Put32(out.colour.info.data() + kBiSizeImage, static_cast<uint32_t>(colourSize));
    le::Put32(out.colour.info.data() + kBiClrUsed, 0);
    le::Put32(out.colour.info.data() + kBiClrImportant, 0);
    out.colour.bits.assign(colourBits, colourBits + colourSize);
    out.mask.info = MaskInfo(out.width, out.height, static_cast<uint32_t>(maskSize));
    out.mask.bits.assign(colourBits + colourSize, colourBits + colourSize + maskSize);
    return out;
}

Image FromPixels(uint32_t width, uint32_t height, const std::vector<uint8_t>& pixels) {
    if (width == 0 || height == 0 || width > kMaxPngSide || height > kMaxPngSide ||
        pixels.size() != size_t{width} * height * 4)
        throw InvalidData{};
    Image out;
    out.width = int32_t(width);
    out.height = int32_t(height);
    out.bitCount = 32;
    const size_t stride = size_t{width} * 4, maskStride = size_t(Stride(out.width, 1));
    std::vector<uint8_t>& info = out.colour.info;
    info.assign(kInfoHeaderSize, 0);
    le::Put32(info, kBiSize, kInfoHeaderSize);
    PutI32(info, kBiWidth, out.width);
    PutI32(info, kBiHeight, out.height);
    le::Put16(info, kBiPlanes, 1);
    le::Put16(info, kBiBitCount, 32);
    le::Put32(info, kBiSizeImage, uint32_t(stride * height));
    out.colour.bits.assign(pixels.size(), 0);
    out.mask.bits.assign(maskStride * height, 0);
    out.mask.info = MaskInfo(out.width, out.height, uint32_t(out.mask.bits.size()));
    for (size_t row = 0; row < height; ++row) {  // both parts bottom-up
        const uint8_t* from = pixels.data() + (height - 1 - row) * stride;
        uint8_t* to = out.colour.bits.data() + row * stride;
        for (size_t x = 0; x < width; ++x, from += 4, to += 4) {
            if (from[3] == 0)
                out.mask.bits[row * maskStride + x / 8] |= uint8_t(0x80 >> (x % 8));
            else
                std::copy(from, from + 4, to);
        }
    }
    return out;
}

Image Decode(const uint8_t* data, size_t size, uint16_t displayColours) {
    Header h = CheckHeader(data, size);
    if (h.type == kTypeStandard) {
        Image standard;
        standard.standardIcon = true;
        return standard;
    }
    std::vector<Entry> entries = ReadDirectory(data, size);
    const Entry& e = entries[ChooseEntry(entries, displayColours)];
    le::Require<InvalidData>(size, e.offset, e.size);
    return e.png ? CheckPng(data + e.offset, e.size) : DecodeImage(data + e.offset, e.size);
}

std::vector<uint8_t> WriteIcon(const Dib& colour, const std::vector<uint8_t>& maskBits) {
    const size_t infoSize = kInfoHeaderSize + 16 * 4;
    const std::vector<uint8_t>& info = colour.info;
    if (info.size() != infoSize || U32<InvalidData>(info.data(), info.size(), kBiSize) != kInfoHeaderSize ||
        U16<InvalidData>(info.data(), info.size(), kBiBitCount) != 4)
        throw InvalidData{};
    int32_t width = I32<InvalidData>(info.data(), info.size(), kBiWidth);
    int32_t height = I32<InvalidData>(info.data(), info.size(), kBiHeight);
    uint16_t planes = U16<InvalidData>(info.data(), info.size(), kBiPlanes);
    int64_t doubled = int64_t{height} * 2;
    if (doubled > INT32_MAX || doubled < INT32_MIN) throw InvalidData{};
    uint64_t imageSize = uint64_t{infoSize} + colour.bits.size() + maskBits.size();
    if (imageSize > UINT32_MAX - kHeaderSize - kEntrySize) throw InvalidData{};

    // Sized once and filled in place: growing it by inserts makes GCC 12
    // warn about bounds it cannot follow.
    const size_t headerAt = kHeaderSize + kEntrySize;
    std::vector<uint8_t> file(headerAt + imageSize, 0);
    le::Put16(file.data() + 2, kTypeIcon);
    le::Put16(file.data() + 4, 1);
    uint8_t* entry = file.data() + kHeaderSize;
    entry[0] = static_cast<uint8_t>(width);
    entry[1] = static_cast<uint8_t>(height);
    le::Put16(entry + 2, static_cast<uint16_t>(planes * 4));
    le::Put32(entry + 8, static_cast<uint32_t>(imageSize));
    le::Put32(entry + 12, kHeaderSize + kEntrySize);

    auto bitsAt = std::copy(info.begin(), info.end(), file.begin() + headerAt);
    PutI32(file, headerAt + kBiHeight, static_cast<int32_t>(doubled));
    std::copy(maskBits.begin(), maskBits.end(), std::copy(colour.bits.begin(), colour.bits.end(), bitsAt));
    return file;
}

std::vector<uint8_t> WriteStandardIcon() {
    return std::vector<uint8_t>(kHeaderSize, 0);
}

}  // namespace codec::ico
