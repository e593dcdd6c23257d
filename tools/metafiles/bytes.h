#pragma once
// Little-endian fields of the metafile bytes the valid set builds and edits.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace metafiles {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

inline void Put32(Bytes& b, size_t at, uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

inline uint32_t Get32(const Bytes& b, size_t at) {
    return uint32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16) | uint32_t(b[at + 3]) << 24;
}

inline void Append32(Bytes& b, std::initializer_list<uint32_t> words) {
    for (uint32_t w : words) {
        b.resize(b.size() + 4);
        Put32(b, b.size() - 4, w);
    }
}

}  // namespace metafiles
