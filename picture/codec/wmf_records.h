#pragma once
// The records of a Windows metafile, checked before the system converts
// them. The system's player reads each record's parameters by position and
// trusts their counts and object numbers, so a record is refused where the
// player would read outside it (or, for the few functions that read a fixed
// number of words whatever the record's size, outside the metafile), use an
// object slot the header does not have, or have the converter write past
// its own buffer. Functions the player does not know are left alone (it
// skips them). Faults are InvalidData.
#include <cstddef>
#include <cstdint>

namespace codec::metafile {

// Checks one record of `bytes` bytes (its size field times 2, at least 6)
// in a metafile whose header declares `objects` object slots; `reach` bytes
// of the metafile follow the record's start, the end record's included.
void CheckWmfRecord(const uint8_t* record, size_t bytes, size_t reach, uint16_t objects);

// The converter copies a bitmap's colour table by the header's count of
// colours, and takes 0 to mean none while it writes them all; and it copies
// run-length data by its size, which must come to whole 32-bit words: gives
// every info header of 8 bits or fewer in a bitmap record its count, and
// run-length data its size rounded up. Only for records CheckWmfRecord
// accepted.
void StateCounts(uint8_t* record, size_t bytes);

}  // namespace codec::metafile
