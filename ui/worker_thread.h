#pragma once
// A thread of the process that runs one piece of work, owned like any other
// handle: destroying the owner waits for the work to end.
//
// Made with CreateThread, not std::thread: in the Winelib program a thread
// the C library starts is unknown to Wine and must not make a single Win32
// call, while one made here is a proper thread of both programs.
#include <windows.h>

#include <functional>

class WorkerThread {
public:
    // Starts `work` at once; throws EOutOfResources when no thread can be made.
    explicit WorkerThread(std::function<void()> work);
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // True once the work has ended; waits at most `milliseconds` for it.
    bool Wait(DWORD milliseconds);

private:
    static DWORD WINAPI Run(void* self);

    std::function<void()> work_;
    HANDLE handle_ = nullptr;
};
