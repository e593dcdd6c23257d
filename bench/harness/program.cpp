// A host program started from the Winelib process with the host's own
// calls: the Windows process calls would start it through Wine's server.
#include "bench/harness/program.h"

#include <spawn.h>
#include <sys/wait.h>

#include <stdexcept>

#include "bench/harness/clock.h"

extern char** environ;

namespace bench {

double TimeProgram(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const double t0 = Now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0)
        throw std::runtime_error("cannot start " + argv[0]);
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) throw std::runtime_error("lost " + argv[0]);
    const double t1 = Now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error(argv[0] + " failed");
    return t1 - t0;
}

double TimeDjpeg(const std::string& file) { return TimeProgram({"djpeg", "-outfile", "/dev/null", file}); }

}  // namespace bench
