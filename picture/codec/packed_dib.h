#pragma once
// Device-independent bitmaps carried inside metafile records: a core or
// info header, the colour table and the pixel bits. The system's metafile
// player takes every size from the header, so the sizes here follow the
// rules it applies: the colour table starts after the header's own size,
// holds biClrUsed entries (at most 2^bits, all of them when 0) of 4 bytes,
// 3 in a core header, 2 for palette indices, and none above 8 bits; bit
// fields are the 12 bytes after the first 40. Faults are InvalidData.
#include <cstddef>
#include <cstdint>

namespace codec::dib {

// Colour-table entries: RGB quads (3 bytes in a core header) or palette indices.
constexpr uint32_t kRgbColours = 0;
constexpr uint32_t kPaletteIndices = 1;
// No colour table at all: the player's monochrome brushes take bits alone.
constexpr uint32_t kNoColours = 2;

constexpr uint32_t kCoreSize = 12;
constexpr uint32_t kInfoSize = 40;
// Offsets inside an info header.
constexpr size_t kBitCountAt = 14, kCompressionAt = 16, kSizeImageAt = 20, kClrUsedAt = 32;

struct Shape {
    uint64_t readBytes = 0;    // header, masks and colour table as the player reads them
    uint64_t packedBytes = 0;  // where the bits of a packed bitmap start, as the player finds them
    // The colour table a recording of the bitmap copies: biClrUsed entries
    // as stored (2^bits when 0) after the header, or the masks.
    uint64_t recordedBytes = 0;
    uint64_t recordedColours = 0;  // the colour entries of that table
    uint64_t rowBytes = 0;  // one uncompressed row
    uint64_t rows = 0;      // |height|
    uint64_t rleBytes = 0;  // run-length data the header declares; 0 when uncompressed
    // The header's image size: the system copies that many bytes of bits
    // when it records the bitmap again, so they must be there too.
    uint64_t declaredBytes = 0;
    uint32_t bits = 0;
    bool core = false;
    bool rle = false;
    bool topDown = false;  // rows stored from the top (a negative height)
};

// Reads the header at `info` (at most `available` bytes), refusing unknown
// depths and compressions, a planes count other than 1, an empty or
// reversed run-length bitmap, and a header or colour table past `available`.
Shape Read(const uint8_t* info, uint64_t available, uint32_t usage);

// Bytes the pixel bits need for `rows` rows (all rows for run-length data),
// and at least the header's image size.
uint64_t BitsNeeded(const Shape& shape, uint64_t rows);

// Bytes of an uncompressed image: the size of a section made from the header.
uint64_t ImageBytes(const Shape& shape);

// Read, then checks that `bitsSize` bytes hold all rows.
void Check(const uint8_t* info, uint64_t infoSize, uint64_t bitsSize, uint32_t usage);

}  // namespace codec::dib
