#include "bench/harness/pairs.h"

#include <cstdarg>
#include <cstdio>

namespace bench {

std::vector<Pair> Alternate(int runs, const std::function<double()>& subject,
                            const std::function<double()>& reference) {
    subject();
    reference();
    std::vector<Pair> pairs;
    for (int run = 0; run < runs; ++run) {
        Pair p;
        p.subject = subject();
        p.reference = reference();
        pairs.push_back(p);
    }
    return pairs;
}

namespace {
void Print(const std::string& id, const std::vector<Pair>& pairs, double scale) {
    for (const Pair& p : pairs) std::printf("PAIR %s %.4f %.4f\n", id.c_str(), p.subject * scale, p.reference * scale);
    std::fflush(stdout);
}
}  // namespace

void Emit(const std::string& id, const std::vector<Pair>& pairs) { Print(id, pairs, 1000); }

void EmitValues(const std::string& id, const std::vector<Pair>& pairs) { Print(id, pairs, 1); }

void Note(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::printf("\n");
    std::fflush(stdout);
}

}  // namespace bench
