#pragma once
// Small valid files of every picture kind for the hostile-file runs, each
// with the places of its size, count and offset fields.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pictest {

// A field of a file: where it is, how wide (1, 2 or 4 bytes), its byte order.
struct Field {
    size_t at = 0;
    uint8_t width = 4;
    bool bigEndian = false;
};

struct Sample {
    std::string name;       // what the reports call it, e.g. "bmp-rle8"
    std::string extension;  // of the file name, which picks the kind
    std::string kind;       // class name of the graphic it loads as
    std::vector<uint8_t> bytes;
    std::vector<Field> fields;  // sizes, counts, offsets
    // Record types (EMF, WMF): mutations give them other record types.
    std::vector<Field> recordTypes;
    std::vector<uint32_t> typeValues;  // the format's record types
    bool placeable = false;       // a placeable WMF: mutations may mend the checksum
};

// BMP 24-bit, 8-bit and RLE8; JPEG baseline and progressive; an icon of
// two images; an EMF and a placeable WMF recorded with GDI; and the files of
// the valid metafile set that LUMENO_HOSTILE_SET names.
std::vector<Sample> HostileSamples();

// The samples' parts, also used by the regression recipes.
std::vector<uint8_t> SampleEmf();
std::vector<uint8_t> SampleWmf();
// Offsets of the records of an EMF (from 0, the header) or a placeable WMF
// (from its first record after the 18-byte header).
std::vector<size_t> EmfRecords(const std::vector<uint8_t>& emf);
std::vector<size_t> WmfRecords(const std::vector<uint8_t>& wmf);

}  // namespace pictest
