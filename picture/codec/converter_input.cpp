#include "picture/codec/converter_input.h"

#include "picture/codec/emf_layout.h"
#include "picture/codec/errors.h"
#include "picture/codec/little_endian.h"
#include "picture/codec/packed_dib.h"
#include "picture/codec/wmf_records.h"

namespace codec::metafile {
namespace {

using namespace codec::emf;

// Where the bitmap fields of a record type are; fields 0 for none.
BitmapFields BitmapOf(uint32_t type) {
    switch (type) {
        case kBitBlt: case kStretchBlt: case kMaskBlt: case kAlphaBlend: case kTransparentBlt:
            return kBitBltLayout.bitmap;
        case kPlgBlt: return plg_blt::kBitmap;
        case kSetDIBitsToDevice: case kStretchDIBits: return kStretchDIBitsLayout.bitmap;
        case kCreateMonoBrush: case kCreateDIBPatternBrushPt: return {pattern_brush::kBitmap, pattern_brush::kUsage};
        default: return {};
    }
}

// Gives the bitmap of the record of `size` bytes at `record` its counts; true when it changed.
bool StateCounts(uint8_t* record, uint32_t size, BitmapFields at) {
    const uint32_t offInfo = le::U32<InvalidData>(record, size, at.fields);
    const uint32_t infoSize = le::U32<InvalidData>(record, size, at.fields + 4);
    const uint32_t bitsSize = le::U32<InvalidData>(record, size, at.fields + 12);
    if (infoSize < dib::kInfoSize || !le::Fits(size, offInfo, infoSize)) return false;
    uint8_t* info = record + offInfo;
    if (le::U32<InvalidData>(info, infoSize, 0) < dib::kInfoSize) return false;
    dib::Shape shape;
    try {
        shape = dib::Read(info, size - offInfo, dib::kRgbColours);
    } catch (const InvalidData&) {
        return false;
    }
    bool changed = false;
    const uint64_t image = dib::BitsNeeded(shape, shape.rows);
    if (!shape.rle && le::U32<InvalidData>(info, infoSize, dib::kSizeImageAt) == 0 && image != 0 && image <= bitsSize) {
        le::Put32(info + dib::kSizeImageAt, uint32_t(image));
        changed = true;
    }
    if (shape.bits <= 8 && le::U32<InvalidData>(info, infoSize, dib::kClrUsedAt) == 0) {
        le::Put32(info + dib::kClrUsedAt, 1u << shape.bits);
        changed = true;
    }
    return changed;
}

}  // namespace

bool StateEmfBitmapSizes(uint8_t* data, size_t size) {
    bool changed = false;
    for (uint64_t at = 0; at + kRecordHeader <= size;) {
        const uint32_t type = le::U32<InvalidData>(data, size, size_t(at + kTypeAt));
        const uint32_t bytes = le::U32<InvalidData>(data, size, size_t(at + kSizeAt));
        if (bytes < kRecordHeader || !le::Fits(size, at, bytes)) break;
        const BitmapFields fields = BitmapOf(type);
        if (fields.fields) changed |= StateCounts(data + at, bytes, fields);
        at += bytes;
    }
    return changed;
}

void StateWmfBitmapCounts(uint8_t* data, size_t size) {
    constexpr size_t kHeader = 18, kEndBytes = 6;
    for (size_t at = kHeader; at + kEndBytes < size;) {
        const size_t bytes = size_t(le::U32<InvalidData>(data, size, at)) * 2;
        if (bytes < kEndBytes || !le::Fits(size, at, bytes)) return;
        StateCounts(data + at, bytes);
        at += bytes;
    }
}

}  // namespace codec::metafile
