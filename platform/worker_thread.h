#pragma once
// A piece of work run on a thread of the system's thread pool, owned like
// any other handle: destroying the owner waits for the work to end.
//
// The pool keeps its threads for a while after their work, so a run of
// jobs (stepping through pictures) does not pay for starting a thread each
// time. Its threads are proper threads of both programs: in the Winelib
// program a thread the C library starts is unknown to Wine and must not
// make a single Win32 call.
#include <windows.h>

#include <functional>

#include "platform/handle.h"

class WorkerThread {
public:
    // Starts `work` at once; throws EOutOfResources when the pool cannot take it.
    explicit WorkerThread(std::function<void()> work);
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // True once the work has ended; waits at most `milliseconds` for it.
    bool Wait(DWORD milliseconds);

private:
    static void CALLBACK Run(PTP_CALLBACK_INSTANCE instance, void* self);

    std::function<void()> work_;
    KernelHandle done_;  // set by the pool once Run has returned
};
