#pragma once
// Running a program of this machine (djpeg) as a shell would, and timing it.
#include <string>
#include <vector>

namespace bench {

// Seconds from starting `argv` (looked up on PATH) until it has ended;
// throws when it cannot start or does not end with status 0.
double TimeProgram(const std::vector<std::string>& argv);

// djpeg decoding the file (a Linux path) to nowhere.
double TimeDjpeg(const std::string& file);

}  // namespace bench
