#pragma once
// The enhanced metafile that a converter keeps inside a Windows metafile,
// in comment escapes marked "WMFC". The system reads such a file from that
// copy instead of its records when the escapes are its first records,
// their chunks add up to the size they announce, and the metafile's 16-bit
// words sum to 0 (the first chunk's checksum makes them so). Faults are
// InvalidData.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace codec::metafile {

// True for a record that is a "WMFC" comment escape.
bool IsEmfChunk(const uint8_t* record, size_t bytes);

// The copy that the Windows metafile of `size` bytes (18-byte header
// through the end record, as walked) carries the system's way, each chunk
// inside its record; empty when it carries none so.
std::vector<uint8_t> CarriedEmf(const uint8_t* wmf, size_t size);

}  // namespace codec::metafile
