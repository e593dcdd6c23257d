#include "picture/codec/wmf_embedded_emf.h"

#include "picture/codec/errors.h"
#include "picture/codec/little_endian.h"

namespace codec::metafile {
namespace {
constexpr uint16_t kEscape = 0x0626;
constexpr uint16_t kComment = 0x000F;
constexpr uint32_t kWmfcIdentifier = 0x43464D57;  // "WMFC"
constexpr size_t kHeaderBytes = 18, kEscapeData = 10;
// Identifier, type, version, checksum, flags, chunk count, chunk size, bytes remaining, total size.
constexpr size_t kChunkHeader = 34;
constexpr size_t kChunksAt = 18, kChunkSizeAt = 22, kRemainingAt = 26, kTotalSizeAt = 30;

uint16_t WordSum(const uint8_t* data, size_t size) {
    uint16_t sum = 0;
    for (size_t at = 0; at + 1 < size; at += 2) sum = uint16_t(sum + le::U16<InvalidData>(data, size, at));
    return sum;
}
}  // namespace

bool IsEmfChunk(const uint8_t* record, size_t bytes) {
    return bytes >= kEscapeData + 4 && le::U16<InvalidData>(record, bytes, 4) == kEscape &&
           le::U16<InvalidData>(record, bytes, 6) == kComment &&
           le::U32<InvalidData>(record, bytes, kEscapeData) == kWmfcIdentifier;
}

std::vector<uint8_t> CarriedEmf(const uint8_t* wmf, size_t size) {
    std::vector<uint8_t> emf;
    uint32_t chunks = 0, remaining = 0;
    bool first = true;
    for (size_t at = kHeaderBytes; at + 4 <= size;) {
        const size_t bytes = size_t(le::U32<InvalidData>(wmf, size, at)) * 2;
        const uint8_t* record = wmf + at;
        if (bytes > size - at || !IsEmfChunk(record, bytes)) return {};
        const uint8_t* chunk = record + kEscapeData;
        const size_t length = le::U16<InvalidData>(record, bytes, 8);
        if (length < kChunkHeader || length > bytes - kEscapeData) return {};
        const uint32_t size32 = le::U32<InvalidData>(chunk, length, kChunkSizeAt);
        if (first) {
            chunks = le::U32<InvalidData>(chunk, length, kChunksAt);
            remaining = le::U32<InvalidData>(chunk, length, kTotalSizeAt);
            if (chunks == 0 || remaining == 0) return {};
            first = false;
        }
        if (size32 > remaining || size32 > length - kChunkHeader) return {};
        remaining -= size32;
        if (le::U32<InvalidData>(chunk, length, kRemainingAt) != remaining) return {};
        emf.insert(emf.end(), chunk + kChunkHeader, chunk + kChunkHeader + size32);
        at += bytes;
        if (--chunks == 0) break;
    }
    if (chunks != 0 || remaining != 0 || WordSum(wmf, size) != 0) return {};
    return emf;
}

}  // namespace codec::metafile
