#include "platform/worker_thread.h"

#include <utility>

#include "platform/exceptions.h"

WorkerThread::WorkerThread(std::function<void()> work)
    : work_(std::move(work)), done_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    if (!done_ || !TrySubmitThreadpoolCallback(&WorkerThread::Run, this, nullptr)) throw OutOfResources(GetLastError());
}

WorkerThread::~WorkerThread() { WaitForSingleObject(done_.get(), INFINITE); }

bool WorkerThread::Wait(DWORD milliseconds) { return WaitForSingleObject(done_.get(), milliseconds) == WAIT_OBJECT_0; }

void CALLBACK WorkerThread::Run(PTP_CALLBACK_INSTANCE instance, void* self) {
    auto* owner = static_cast<WorkerThread*>(self);
    // The pool sets the event only after this returns: the owner may go as
    // soon as it is set.
    SetEventWhenCallbackReturns(instance, owner->done_.get());
    // The work catches its own errors: nothing may unwind into the system's frames.
    owner->work_();
}
