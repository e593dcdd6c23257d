#pragma once
// The stored form of a picture: a 4-byte little-endian length, then the bytes.
#include <cstdint>
#include <vector>

#include "platform/stream.h"

uint32_t ReadStoredLength(TStream& stream);
void WriteStoredLength(TStream& stream, uint32_t length);

// `size` bytes of the stream, checked against what it holds before anything
// is allocated: the size comes from the data.
std::vector<uint8_t> ReadStoredBytes(TStream& stream, uint32_t size);
