#pragma once
// An enhanced metafile made ready for the system's converter to Windows
// metafile records. The converter copies as many bits of each bitmap as its
// header's image size says, and most headers leave that size 0, which
// would write bitmaps without their bits: such headers are given their
// size first, in a copy of the metafile.
#include <windows.h>

#include "ui/gdi.h"

// A copy of `metafile` whose uncompressed bitmaps all state their image
// size, or null when none needed it (then convert `metafile` itself).
EnhMetafile WithImageSizes(HENHMETAFILE metafile);
