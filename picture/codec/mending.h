#pragma once
// How the copy of a metafile handed to the system differs from the file.
#include <cstdint>

namespace codec::metafile {

struct Mending {
    uint32_t mended = 0;   // records whose fields were set to what the player reads right
    uint32_t dropped = 0;  // records left out, or put in the place of by a stand-in object
};

}  // namespace codec::metafile
