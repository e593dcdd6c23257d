#pragma once
// Device-independent bitmaps carried inside metafile records: a core or
// info header, the colour table and the pixel bits. The system's metafile
// player takes every size from the header, so the header must describe
// exactly what the record holds. Faults are InvalidData.
#include <cstddef>
#include <cstdint>

namespace codec::dib {

// Colour-table entries: RGB quads (3 bytes in a core header) or palette indices.
constexpr uint32_t kRgbColours = 0;
constexpr uint32_t kPaletteIndices = 1;

struct Shape {
    uint64_t infoSize = 0;   // header, masks and colour table
    uint64_t rowBytes = 0;   // one uncompressed row
    uint64_t rows = 0;       // |height|
    uint64_t rleBytes = 0;   // run-length data the header declares; 0 when uncompressed
    // The header's image size: the system copies that many bytes of bits
    // when it records the bitmap again, so they must be there too.
    uint64_t declaredBytes = 0;
    bool rle = false;
};

// Reads the header at `info` (at most `available` bytes), refusing unknown
// depths and compressions, a planes count other than 1, an empty or
// reversed run-length bitmap, and a header or colour table past `available`.
Shape Read(const uint8_t* info, uint64_t available, uint32_t usage);

// Bytes the pixel bits need for `rows` rows (all rows for run-length data),
// and at least the header's image size.
uint64_t BitsNeeded(const Shape& shape, uint64_t rows);

// Read, then checks that `bitsSize` bytes hold all rows.
void Check(const uint8_t* info, uint64_t infoSize, uint64_t bitsSize, uint32_t usage);

}  // namespace codec::dib
