#pragma once
// The records of a Windows metafile, made safe for the system's player and
// its converter to an enhanced metafile. The player reads each record's
// parameters by position and trusts their counts and object numbers. A
// record it would read past, or whose object numbers lie outside the
// header's table, is mended in the copy where its writer's meaning is
// plain, else left out; an object record that cannot be kept is put in the
// place of by a stand-in of its kind (a null brush or pen, the default
// font, a one-colour palette, an empty region), since the player numbers
// objects by the order they are made. Functions the player does not know
// are kept (it skips them).
//
// Mended: a face name shorter than its 32 bytes is padded with zeros; an
// escape's byte count is cut to its record; a bitmap's unknown colour
// usage is read as RGB colours; an info header of 8 bits or fewer whose
// colour table is longer than the colours the record holds gets the count
// it holds; a bit blit or stretch blit without its bitmap becomes the
// pattern blit it draws; a palette selection holds its number in the word
// the player reads it from as well.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "picture/codec/mending.h"

namespace codec::metafile {

// Appends the record of `bytes` bytes (its size field times 2, at least 6)
// to `out` as the player should get it, in a metafile whose header
// declares `objects` object slots.
void MendWmfRecord(const uint8_t* record, size_t bytes, uint16_t objects, std::vector<uint8_t>& out,
                   Mending& mending);

// The converter copies a bitmap's colour table by the header's count of
// colours, and takes 0 to mean none while it writes them all; and it copies
// run-length data by its size, which must come to whole 32-bit words: gives
// every info header of 8 bits or fewer in a bitmap record its count, and
// run-length data its size rounded up. Only for records MendWmfRecord wrote.
void StateCounts(uint8_t* record, size_t bytes);

}  // namespace codec::metafile
