#pragma once
// Subject and reference measured alternately, so that a change in the
// machine's load falls on both sides of a pair alike. bench/lib.sh turns the
// pairs into a figure: the median pair ratio, its spread and the verdict.
#include <functional>
#include <string>
#include <vector>

namespace bench {

struct Pair {
    double subject = 0;    // seconds
    double reference = 0;  // seconds, or any unit the subject shares
};

// One warm-up of each side, then `runs` pairs: subject, reference, subject, ...
// Each function measures itself and returns its time.
std::vector<Pair> Alternate(int runs, const std::function<double()>& subject,
                            const std::function<double()>& reference);

// "PAIR id subject reference" lines on standard output, times in ms.
void Emit(const std::string& id, const std::vector<Pair>& pairs);
// The same for values that are not times (bytes, counts): as they are.
void EmitValues(const std::string& id, const std::vector<Pair>& pairs);

// Context for the reader, not a figure.
void Note(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace bench
