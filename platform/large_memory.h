#pragma once
// Advice for large pixel buffers that are written once from start to end.
#include <cstddef>

// Under Wine on Linux, asks the kernel to back the range with huge pages,
// which saves most of the page faults of a freshly made large bitmap; a
// no-op elsewhere.
void AdviseLargeBuffer(void* start, size_t bytes);
