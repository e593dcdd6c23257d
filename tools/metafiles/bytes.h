#pragma once
// Little-endian fields of the metafile bytes the valid set builds and edits.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "picture/codec/little_endian.h"

namespace metafiles {

using Bytes = std::vector<uint8_t>;
using codec::le::Append32;
using codec::le::Put16;
using codec::le::Put32;

inline uint32_t Get32(const Bytes& b, size_t at) {
    return uint32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16) | uint32_t(b[at + 3]) << 24;
}

}  // namespace metafiles
