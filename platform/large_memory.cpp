#include "platform/large_memory.h"

#include <cstdint>

#if defined(__WINE__) && defined(__linux__)
#include <sys/mman.h>

#include <algorithm>
#include <cstdio>
#include <string>
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

void MapInSharedSurfaces() {
#if defined(__WINE__) && defined(__linux__)
    const int populateWrite = 23;  // MADV_POPULATE_WRITE, from Linux 5.14; refused before
    std::string maps;
    if (FILE* file = fopen("/proc/self/maps", "r")) {
        char chunk[16384];
        for (size_t n; (n = fread(chunk, 1, sizeof chunk, file)) > 0;) maps.append(chunk, n);
        fclose(file);
    }
    // Wine's surfaces are System V segments: "from-to rw-s ... /SYSV<key> (deleted)".
    for (size_t line = 0; line < maps.size();) {
        const size_t end = std::min(maps.find('\n', line), maps.size());
        const std::string entry = maps.substr(line, end - line);
        line = end + 1;
        unsigned long from = 0, to = 0;
        if (entry.find(" rw-s ") == std::string::npos || entry.find("/SYSV") == std::string::npos) continue;
        if (sscanf(entry.c_str(), "%lx-%lx", &from, &to) != 2 || to <= from) continue;
        // A surface drawn on before (another window's, or one the system
        // still holds) has its pages: only a new one is mapped in.
        void* start = reinterpret_cast<void*>(from);
        unsigned char used = 0;
        if (mincore(start, 1, &used) == 0 && (used & 1)) continue;
        madvise(start, to - from, populateWrite);
    }
#endif
}
