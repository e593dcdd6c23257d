#include "picture/wmf_conversion.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "picture/codec/errors.h"
#include "picture/codec/packed_dib.h"

namespace {
constexpr uint32_t kSizeImageAt = 20, kCompressionAt = 16;

uint32_t Get32(const std::vector<uint8_t>& b, uint64_t at) {
    uint32_t v = 0;
    if (at + 4 <= b.size()) std::memcpy(&v, b.data() + at, 4);
    return v;
}

void Put32(std::vector<uint8_t>& b, uint64_t at, uint32_t v) { std::memcpy(b.data() + at, &v, 4); }

// Where the bitmap fields (offset and size of header and bits) of a record type are; 0 for none.
uint32_t BitmapFields(uint32_t type) {
    switch (type) {
        case EMR_BITBLT: case EMR_STRETCHBLT: case EMR_MASKBLT: case EMR_ALPHABLEND: case EMR_TRANSPARENTBLT:
            return 84;
        case EMR_PLGBLT: return 96;
        case EMR_SETDIBITSTODEVICE: case EMR_STRETCHDIBITS: return 48;
        case EMR_CREATEMONOBRUSH: case EMR_CREATEDIBPATTERNBRUSHPT: return 16;
        default: return 0;
    }
}

// Gives the bitmap of the record at `at` its image size; true when it changed.
bool StateImageSize(std::vector<uint8_t>& emf, uint64_t at, uint32_t size, uint32_t fields) {
    const uint32_t offInfo = Get32(emf, at + fields), infoSize = Get32(emf, at + fields + 4);
    const uint32_t bitsSize = Get32(emf, at + fields + 12);
    const uint64_t info = at + offInfo;
    if (infoSize < 40 || uint64_t(offInfo) + infoSize > size || Get32(emf, info) < 40) return false;
    if (Get32(emf, info + kSizeImageAt) != 0 || Get32(emf, info + kCompressionAt) > BI_BITFIELDS) return false;
    codec::dib::Shape shape;
    try {
        shape = codec::dib::Read(emf.data() + info, infoSize, codec::dib::kRgbColours);
    } catch (const codec::InvalidData&) {
        return false;
    }
    const uint64_t image = codec::dib::BitsNeeded(shape, shape.rows);
    if (image == 0 || image > bitsSize) return false;
    Put32(emf, info + kSizeImageAt, uint32_t(image));
    return true;
}
}  // namespace

EnhMetafile WithImageSizes(HENHMETAFILE metafile) {
    const UINT total = GetEnhMetaFileBits(metafile, 0, nullptr);
    std::vector<uint8_t> emf(total);
    if (total == 0 || GetEnhMetaFileBits(metafile, total, emf.data()) != total) return EnhMetafile();
    bool changed = false;
    for (uint64_t at = 0; at + 8 <= emf.size();) {
        const uint32_t type = Get32(emf, at), size = Get32(emf, at + 4);
        if (size < 8 || at + size > emf.size()) break;
        if (const uint32_t fields = BitmapFields(type)) changed |= StateImageSize(emf, at, size, fields);
        at += size;
    }
    if (!changed) return EnhMetafile();
    return EnhMetafile(SetEnhMetaFileBits(UINT(emf.size()), emf.data()));
}
