#include "picture/codec/wmf_embedded_emf.h"

#include "picture/codec/errors.h"
#include "picture/codec/little_endian.h"
#include "picture/codec/metafile.h"

namespace codec::metafile {
namespace {
constexpr uint16_t kEscape = 0x0626;
constexpr uint16_t kComment = 0x000F;
constexpr uint32_t kWmfcIdentifier = 0x43464D57;  // "WMFC"
// Identifier, type, version, checksum, flags, chunk count, chunk size, bytes remaining, total size.
constexpr size_t kChunkHeader = 34;
constexpr size_t kChunkSizeAt = 22, kTotalSizeAt = 30;
}  // namespace

void EmbeddedEmf::Take(const uint8_t* record, size_t bytes) {
    if (bytes < 10 || le::U16<InvalidData>(record, bytes, 4) != kEscape ||
        le::U16<InvalidData>(record, bytes, 6) != kComment)
        return;
    const size_t length = le::U16<InvalidData>(record, bytes, 8);
    const uint8_t* data = record + 10;
    if (length < 4 || length > bytes - 10 || le::U32<InvalidData>(data, length, 0) != kWmfcIdentifier) return;
    const bool first = !seen_;
    seen_ = true;
    if (length < kChunkHeader) {
        broken_ = true;
        return;
    }
    const uint32_t chunk = le::U32<InvalidData>(data, length, kChunkSizeAt);
    const uint32_t total = le::U32<InvalidData>(data, length, kTotalSizeAt);
    if (first) total_ = total;
    if (total != total_ || chunk > length - kChunkHeader || chunk > total_ - data_.size()) {
        broken_ = true;
        return;
    }
    data_.insert(data_.end(), data + kChunkHeader, data + kChunkHeader + chunk);
}

void EmbeddedEmf::Check() const {
    if (!seen_) return;
    if (broken_ || data_.size() != total_ || !IsEmf(data_.data(), data_.size())) throw InvalidData{};
    try {
        ReadEmf(data_.data(), data_.size());
    } catch (const ShortRead&) {
        throw InvalidData{};
    }
}

}  // namespace codec::metafile
