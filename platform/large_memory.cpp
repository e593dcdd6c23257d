#include "platform/large_memory.h"

#include <cstdint>

#if defined(__WINE__) && defined(__linux__)
#include <sys/mman.h>
#endif

void AdviseLargeBuffer(void* start, size_t bytes) {
#if defined(__WINE__) && defined(__linux__) && defined(MADV_HUGEPAGE)
    const uintptr_t huge = uintptr_t(2) << 20;
    if (bytes < 2 * huge) return;
    uintptr_t begin = (reinterpret_cast<uintptr_t>(start) + huge - 1) & ~(huge - 1);
    uintptr_t end = (reinterpret_cast<uintptr_t>(start) + bytes) & ~(huge - 1);
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)start;
    (void)bytes;
#endif
}
