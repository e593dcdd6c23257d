#pragma once
// The real program in this process, started as a user starts it, driven from
// a second thread: the benchmark's thread sends real input through the X
// server and waits for the program's effects, and runs whatever must touch
// the program's objects on the program's own thread through Ui().
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace bench {

class Driven {
public:
    // Runs `work` on the program's thread (inside whatever loop it is in)
    // and waits; an error there is raised here.
    void Ui(const std::function<void()>& work);
    // Polls `done` on the program's thread until it holds; false after
    // `timeout` seconds.
    bool UiWait(const std::function<bool()>& done, double timeout);

    HWND messenger = nullptr;
};

// The arguments after the program's name; none, after printing `usage`,
// when there are fewer than `least`.
std::optional<std::vector<std::string>> Arguments(int argc, char** argv, int least, const char* usage);

// Starts the program; once its main window has painted, runs `driver` on a
// second thread, then ends the program. The driver's result is the exit code
// (also written where LUMENO_EXIT_FILE names); an error ends with 1.
int RunDriven(const std::function<int(Driven&)>& driver);

}  // namespace bench
