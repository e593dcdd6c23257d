#pragma once
// The records of an enhanced metafile, checked before the system plays
// them. A record is refused only where the system's player would read
// outside it, use an object slot the header does not have, or do what is
// known to crash it: counts of points, strings, spacing arrays, regions,
// palette entries, gradients and bitmaps must lie inside their record,
// object numbers below the header's handle count, and a restored state
// must not be -2^31. The first record is the header and no other is.
// Everything else (unknown record types, descriptions, pixel formats) is
// left to the player, which ignores what it does not use.
// Faults are InvalidData.
#include <cstddef>
#include <cstdint>

namespace codec::metafile {

// Checks the `total` bytes of an enhanced metafile, header record first;
// `total` has been checked against the bytes present.
void CheckEmfRecords(const uint8_t* data, uint32_t total);

}  // namespace codec::metafile
