#pragma once
// The program's resident memory, as the system reports it for this process.
#include <cstddef>

namespace bench {

// The working set now, or the largest it has been in this process.
size_t WorkingSet(bool peak);

}  // namespace bench
