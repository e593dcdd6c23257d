#pragma once
// What the system's converters between the two metafile formats need
// stated in a metafile's bitmaps. They copy a bitmap's colour table by the
// header's count of colours and its bits by the header's image size, where
// a header may leave either 0 to mean "all": such headers get their counts
// written in, in a copy of checked records, before the copy is converted.
#include <cstddef>
#include <cstdint>

namespace codec::metafile {

// In an enhanced metafile of `size` checked bytes: gives every bitmap
// record's info header its image size, and those of 8 bits or fewer their
// colour count. True when anything changed.
bool StateEmfBitmapSizes(uint8_t* data, size_t size);

// In Windows metafile records (18-byte header through the end record, as
// WalkWmfRecords accepted them): gives the bitmaps their colour counts and
// run-length sizes in whole words.
void StateWmfBitmapCounts(uint8_t* data, size_t size);

}  // namespace codec::metafile
