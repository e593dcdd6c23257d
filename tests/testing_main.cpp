// Test entry: doctest's runner, with the result also written to the file the
// runner script names (a program started inside Wine's desktop loses its
// exit code).
#define DOCTEST_CONFIG_IMPLEMENT
#include "testing.h"
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    doctest::Context context(argc, argv);
    int result = context.run();
    if (const char* path = std::getenv("LUMENO_EXIT_FILE")) {
        if (FILE* f = std::fopen(path, "w")) {
            std::fprintf(f, "%d\n", result);
            std::fclose(f);
        }
    }
    std::fflush(stdout);
    return result;
}
