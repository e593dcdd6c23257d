#pragma once
// The records of an enhanced metafile, checked before the system plays
// them. The system's player trusts every count, offset and object number a
// record carries, so each must lie inside its record and its tables: a
// record at least as long as its type's fixed part, points, strings,
// regions, gradients and bitmaps inside the record, object numbers below
// the header's handle count, palette entries inside the end record, a
// single header, a saved state other than -2^31, and no record types the
// format does not define.
// Faults are InvalidData.
#include <cstddef>
#include <cstdint>

namespace codec::metafile {

// Checks the `total` bytes of an enhanced metafile, header record first;
// `total` has been checked against the bytes present.
void CheckEmfRecords(const uint8_t* data, uint32_t total);

}  // namespace codec::metafile
