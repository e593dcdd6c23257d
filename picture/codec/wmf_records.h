#pragma once
// The records of a Windows metafile, checked before the system converts
// them. The system's player reads each record's parameters by position and
// trusts their counts and object numbers, so a record must hold every
// parameter its function reads: points, strings, palette entries, region
// scans and bitmaps, with object numbers below the header's object count.
// Functions the player does not know are left alone (it skips them).
// Faults are InvalidData.
#include <cstddef>
#include <cstdint>

namespace codec::metafile {

// Checks one record of `bytes` bytes (its size field times 2, at least 6)
// in a metafile whose header declares `objects` object slots.
void CheckWmfRecord(const uint8_t* record, size_t bytes, uint16_t objects);

}  // namespace codec::metafile
