#include "bench/harness/memory.h"

#include <windows.h>
#include <psapi.h>

namespace bench {

size_t WorkingSet(bool peak) {
    PROCESS_MEMORY_COUNTERS m{};
    m.cb = sizeof m;
    GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m);
    return peak ? m.PeakWorkingSetSize : m.WorkingSetSize;
}

}  // namespace bench
