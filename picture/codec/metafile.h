#pragma once
// Metafile bytes: recognising an enhanced metafile, reading its header and
// making the copy of its records the system plays; reading and writing the
// placeable header of a Windows metafile, and the copy of its records (or
// of the enhanced metafile it carries) the system converts; and the size
// arithmetic of both. A metafile is refused only where its header or record
// chain is broken: InvalidData ("Metafile is not valid"), or ShortRead for
// data shorter than the header being read. Records the system would misread
// are mended or left out of the copy (emf_records.h, wmf_records.h), so
// nothing unchecked reaches the system's metafile calls.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "picture/codec/mending.h"

namespace codec::metafile {

constexpr size_t kEmfHeaderSize = 100;
constexpr uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr size_t kPlaceableSize = 22;
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr uint16_t kDefaultUnitsPerInch = 96;
constexpr size_t kWmfHeaderSize = 18;

struct EmfHeader {
    int32_t frameLeft = 0, frameTop = 0, frameRight = 0, frameBottom = 0;  // 0.01 mm
    uint32_t totalSize = 0;  // bytes of the metafile from its start: hand exactly these to the system
    int32_t devicePixelsX = 0, devicePixelsY = 0;
    int32_t deviceMillimetresX = 0, deviceMillimetresY = 0;
    int32_t logicalWidth = 0, logicalHeight = 0;  // frame right - left, bottom - top
};

struct PlaceableHeader {
    int16_t left = 0, top = 0, right = 0, bottom = 0;
    uint16_t unitsPerInch = 0;  // as stored; 0 is sized as 96
    uint16_t checksum = 0;
};

struct Emf {
    EmfHeader header;
    std::vector<uint8_t> playable;  // the copy to hand to the system
    Mending mending;
};

struct Wmf {
    PlaceableHeader header;
    int32_t logicalWidth = 0, logicalHeight = 0;  // 0.01 mm
    // The Windows metafile's copy for the system's converter (18-byte header
    // through the end record), without the chunks of a carried EMF.
    std::vector<uint8_t> playable;
    // The complete enhanced metafile it carries the system's way, its copy
    // to play instead of converting the records; empty when there is none.
    std::vector<uint8_t> carried;
    Mending mending;  // of the records, or of the carried EMF when there is one
};

// a * b / c in 64 bits, rounded to nearest with halves away from zero; -1 when c is 0 or the result overflows.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

// True for more than 100 bytes that start with record type 1 and carry the " EMF" signature.
bool IsEmf(const uint8_t* data, size_t size);

// Reads the EMF header and walks every record (size >= 8, multiple of 4, inside the total size),
// making the copy to play as emf_records.h says.
Emf ReadEmf(const uint8_t* data, size_t size);

// Exclusive-or of the ten 16-bit words before the checksum field of a 22-byte header.
uint16_t PlaceableChecksum(const uint8_t* header);

// Reads the 22-byte placeable header; InvalidData for a wrong key or checksum.
PlaceableHeader ReadPlaceable(const uint8_t* data, size_t size);

// Walks the 18-byte header and records of a Windows metafile through its end record and makes
// the copy to convert, each record as wmf_records.h says, the carried EMF's chunks left out; the
// header's sizes follow the copy.
std::vector<uint8_t> MendWmfRecords(const uint8_t* data, size_t size, Mending& mending);

// Reads a placeable Windows metafile: header, logical size, and the copies of its records and
// of the enhanced metafile it carries.
Wmf ReadWmf(const uint8_t* data, size_t size);

// Logical extent in 0.01 mm of a box extent: MulDiv(extent, 2540, units per inch or 96).
int32_t LogicalExtent(int32_t boxExtent, uint16_t unitsPerInch);

// Placeable header for a logical size: box right and bottom in units per inch (96 when 0).
std::array<uint8_t, kPlaceableSize> WritePlaceable(int32_t logicalWidth, int32_t logicalHeight,
                                                    uint16_t unitsPerInch);

// Pixels of a WMF's logical extent on a screen of pixelsPerInch: MulDiv(logical, ppi, 2540).
int32_t WmfPixels(int32_t logical, int32_t pixelsPerInch);

// Pixels of an EMF's logical extent for its reference device: logical * px / (mm * 100), rounded.
int32_t EmfPixels(int32_t logical, int32_t devicePixels, int32_t deviceMillimetres);

}  // namespace codec::metafile
