#pragma once
// Icon files: the header check made at load, the choice of the image to show
// for a display, the split of that image into a colour and a mask DIB (or,
// for a PNG image, the checked copy the system decodes), and the writer of a
// one-image icon file. Every fault is InvalidData ("Icon image is not valid")
// except a header shorter than six bytes (ShortRead).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace codec::ico {

constexpr size_t kHeaderSize = 6;
constexpr size_t kEntrySize = 16;
constexpr size_t kInfoHeaderSize = 40;
constexpr uint16_t kTypeStandard = 0;  // shown as the system's standard application icon
constexpr uint16_t kTypeIcon = 1;
// Sides of a PNG image beyond this are refused: its pixels would take more
// memory than any icon needs, however few bytes the file has.
constexpr uint32_t kMaxPngSide = 4096;

struct Header {
    uint16_t reserved = 0;
    uint16_t type = 0;
    uint16_t count = 0;
};

// One directory entry, as far as the choice and the decoder use it.
struct Entry {
    uint16_t colourCount = 0;  // the colour-count byte and the reserved byte read as one word
    uint32_t size = 0;         // image bytes
    uint32_t offset = 0;       // from the start of the file
    bool png = false;          // the image data begins with the PNG signature
};

// A device-independent bitmap as the system takes it: BITMAPINFO bytes and pixel bits.
struct Dib {
    std::vector<uint8_t> info;
    std::vector<uint8_t> bits;
};

struct Image {
    bool standardIcon = false;  // type 0: no bitmaps, show the standard application icon
    int32_t width = 0;          // of the colour part
    int32_t height = 0;         // of the colour part (half the stored height)
    uint16_t bitCount = 0;
    Dib colour;  // 40-byte header, then 2, 16, 256 or no colour entries
    Dib mask;    // 1-bit image, colour table black and white
    // A PNG image, for the system to decode into colour and mask: its
    // signature, header, palette, transparency, data and end chunks.
    std::vector<uint8_t> png;
};

// Checks the header at load: ShortRead below 6 bytes, InvalidData for a type word of 2 or more.
Header CheckHeader(const uint8_t* data, size_t size);

// Colour count of a display: 1 << (planes * bpp mod 32) in 16 bits, 0 for 24 bits.
uint16_t DisplayColours(uint16_t planes, uint16_t bitsPerPixel);

// Reads the directory of a type 1 file; InvalidData for no images or entries past the end.
std::vector<Entry> ReadDirectory(const uint8_t* data, size_t size);

// Index of the entry to show on a display of displayColours (entries must not be empty).
size_t ChooseEntry(const std::vector<Entry>& entries, uint16_t displayColours);

// Splits one image (the bytes of an entry) into colour and mask DIBs, the colour part with a 40-byte
// header. InvalidData unless: header size 40, 108 or 124, width and half height above 0, depth
// 1/4/8/16/24/32, no compression, all parts inside.
Image DecodeImage(const uint8_t* image, size_t size);

// The PNG image of an entry as the system gets it: width and height from its
// header (1 to kMaxPngSide), and only the chunks that make its pixels, so no
// text or colour profile reaches the system's inflater. InvalidData for a
// broken chunk chain or a chunk the image cannot do without missing.
Image CheckPng(const uint8_t* png, size_t size);

// The colour part and mask of width x height pixels of 4 bytes (blue, green,
// red, alpha), top row first, as the system decodes a PNG image: the mask
// marks the fully transparent pixels, whose colour is then black.
Image FromPixels(uint32_t width, uint32_t height, const std::vector<uint8_t>& pixels);

// Decodes the image a display of displayColours shows; type 0 gives standardIcon.
Image Decode(const uint8_t* data, size_t size, uint16_t displayColours);

// One-image icon file from a 4-bit colour DIB (40-byte header, 16 colours) and the mask's 1-bit bits.
std::vector<uint8_t> WriteIcon(const Dib& colour, const std::vector<uint8_t>& maskBits);

// File image made for the standard application icon: a six-byte all-zero header.
std::vector<uint8_t> WriteStandardIcon();

}  // namespace codec::ico
