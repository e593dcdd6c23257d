#pragma once
// An enhanced metafile made ready for the system's converter to Windows
// metafile records. The converter copies as many bits of each bitmap as its
// header's image size says, and as many colours as its colour count, and
// most headers leave both 0, which would write bitmaps without their bits
// or colours: such headers are given their counts first, in a copy of the
// metafile.
#include <windows.h>

#include "ui/gdi.h"

// A copy of `metafile` whose bitmaps all state their counts, or null when
// none needed it (then convert `metafile` itself).
EnhMetafile WithImageSizes(HENHMETAFILE metafile);
