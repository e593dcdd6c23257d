#include "ui/worker_thread.h"

#include <utility>

#include "ui/exceptions.h"

WorkerThread::WorkerThread(std::function<void()> work) : work_(std::move(work)) {
    handle_ = CreateThread(nullptr, 0, &WorkerThread::Run, this, 0, nullptr);
    if (!handle_) throw OutOfResources(GetLastError());
}

WorkerThread::~WorkerThread() {
    WaitForSingleObject(handle_, INFINITE);
    CloseHandle(handle_);
}

bool WorkerThread::Wait(DWORD milliseconds) { return WaitForSingleObject(handle_, milliseconds) == WAIT_OBJECT_0; }

DWORD WINAPI WorkerThread::Run(void* self) {
    // The work catches its own errors: nothing may unwind into the system's frames.
    static_cast<WorkerThread*>(self)->work_();
    return 0;
}
