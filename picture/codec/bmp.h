#pragma once
// Windows and OS/2 bitmap files: checks the headers and run-length data of a
// stream and builds files back from a plain description. The picture layer
// creates the DIB section (or decodes RLE through the system) from what this
// returns; every size it hands over has already been checked here.
//
// Faults: ReadLayout throws ShortRead when the stream ends inside the file
// header, the masks or the colour table, and InvalidData when it ends inside
// the bitmap header or breaks one of these bounds:
// - signature "BM"; header size 12 (OS/2 core) or kInfoHeaderSize..kMaxHeaderSize;
// - planes 1; width > 0; height != 0 and != INT32_MIN;
// - bit count 1, 4, 8, 16, 24 or 32 uncompressed, RLE8 only at 8 bits, RLE4
//   only at 4 bits and bottom-up, bit fields only at 16 or 32 bits and only
//   with a header that is 40 bytes or holds all three masks (52 and more);
// - at most 256 colour entries;
// - stride x |height| (64-bit arithmetic) at most kMaxImageBytes; for RLE the
//   same at 32 bits per pixel, the depth the system may decode into.
// CheckRle refuses a command that writes past the last row or past a row's
// padding (encoders commonly fill it) and one whose bytes are missing, but
// accepts data that stops between commands (decoded as far as it goes). Describe refuses an RLE layout, and Write a picture no section can
// hold, with std::invalid_argument. Write keeps OS/2 pictures in the core format when they
// fit it (bottom-up, no bit fields, sides up to 65535) and uses 40 otherwise.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace codec::bmp {

// Compression values of the info header.
constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;

constexpr std::size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kMaxHeaderSize = 256;
constexpr std::size_t kMasksSize = 12;
constexpr std::size_t kMaxColours = 256;
constexpr uint64_t kMaxImageBytes = 512ull << 20;
// ReadLayout never looks further into the stream than this.
constexpr std::size_t kMaxPrefix = kFileHeaderSize + kMaxHeaderSize + kMasksSize + kMaxColours * 4;

// The fields of a 40-byte info header.
struct InfoHeader {
    uint32_t size = kInfoHeaderSize;
    int32_t width = 0;
    int32_t height = 0;  // negative: rows stored top-down
    uint16_t planes = 1;
    uint16_t bitCount = 0;
    uint32_t compression = kRgb;
    uint32_t sizeImage = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t clrUsed = 0;
    uint32_t clrImportant = 0;
};

struct Masks {
    uint32_t red = 0;
    uint32_t green = 0;
    uint32_t blue = 0;
};

// One colour-table entry in its on-disk order.
struct Colour {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t reserved = 0;
};

// What ReadLayout found out about a stream.
struct Layout {
    bool empty = false;  // the stream had no bytes: an empty picture, not an error
    bool os2 = false;    // 12-byte core header with 3-byte colour entries
    // As read, or built from the core header. clrUsed is the number of colour
    // entries read; sizeImage is pixelBytes for RLE and imageBytes otherwise.
    InfoHeader header;
    Masks masks;                 // bit-field masks; zero unless compression is kBitFields
    std::vector<Colour> colours; // widened to 4 bytes
    // BITMAPINFO for the system: the header as read (with clrUsed and
    // sizeImage as above) or the 40-byte header built from a core header,
    // then the masks when a 40-byte header has bit fields, then the colour
    // table; zero-padded to at least 52 bytes so a reader of the mask slots
    // stays inside it.
    std::vector<uint8_t> info;
    uint64_t pixelOffset = 0;  // right after the colour table; the file's offset field is ignored
    // Bytes to read from pixelOffset: never past the stream, nor past
    // imageBytes when uncompressed. RLE data of 0 bytes decodes to nothing.
    uint64_t pixelBytes = 0;
    uint64_t imageBytes = 0;   // stride x |height|: the size of the uncompressed pixel memory

    bool IsRle() const { return header.compression == kRle8 || header.compression == kRle4; }
};

// Everything needed to write a file, as a DIB section reports it.
struct Description {
    int32_t width = 0;
    int32_t height = 0;  // sign kept: negative writes a top-down file
    uint16_t bitCount = 24;
    uint32_t compression = kRgb;  // kRgb or kBitFields
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t clrImportant = 0;
    Masks masks;                  // used with kBitFields; all zero means the defaults
    std::vector<Colour> colours;  // at most 256; required at 8 bits or fewer
    bool os2 = false;             // write a core header when the picture fits one
    std::vector<uint8_t> pixels;  // exactly stride x |height| bytes
};

// Bytes per row of a DIB: rows are padded to 32 bits.
uint64_t Stride(uint32_t width, uint16_t bitCount);

// Checks a stream's headers; prefix: its first min(available, kMaxPrefix) bytes.
Layout ReadLayout(const uint8_t* prefix, std::size_t prefixSize, uint64_t available);

// Throws InvalidData if RLE data would write outside the pixel rows or read past its end.
void CheckRle(const InfoHeader& header, const uint8_t* data, std::size_t size);

// What a section made from an uncompressed layout holding these pixels reports.
Description Describe(const Layout& layout, const uint8_t* pixels, std::size_t size);

// A complete BMP file, empty for an empty picture.
std::vector<uint8_t> Write(const Description& picture);

}  // namespace codec::bmp
