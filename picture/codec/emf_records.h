#pragma once
// The records of an enhanced metafile, made safe for the system's player.
// The header and the record chain must be sound (the first record is the
// header, every record at least 8 bytes, in whole 32-bit words and inside
// the total size), or nothing could be shown: InvalidData. Every other
// record is kept, mended in the copy, or left out, as the table in
// emf_layout.h says.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "picture/codec/mending.h"

namespace codec::metafile {

// The copy of the `total` bytes of an enhanced metafile (header record
// first) that the system may play; `total` has been checked against the
// bytes present. The header's byte, record and palette counts follow the
// copy.
std::vector<uint8_t> MendEmfRecords(const uint8_t* data, uint32_t total, Mending& mending);

}  // namespace codec::metafile
