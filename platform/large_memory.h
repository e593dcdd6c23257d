#pragma once
// Advice for large pixel buffers: bitmaps written once from start to end,
// and the drawing surfaces of windows.
#include <cstddef>

// Under Wine on Linux, asks the kernel to back the range with huge pages,
// which saves most of the page faults of a freshly made large bitmap; a
// no-op elsewhere.
void AdviseLargeBuffer(void* start, size_t bytes);

// Under Wine on Linux, maps in at once every page of the drawing surfaces
// the process shares with the X server. Each window gets a new one whenever
// it is shown, and its first drawing would otherwise fault it in one page at
// a time, which costs about twice as long. A no-op elsewhere.
void MapInSharedSurfaces();
