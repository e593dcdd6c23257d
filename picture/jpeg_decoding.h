#pragma once
// A JPEG graphic's pixels decoded on a worker thread, begun as soon as the
// graphic is known to be drawn soon, so that the decode runs while the
// window is still being laid out and shown; the first drawing then waits.
//
// The caller makes the bitmap the decode fills, on its own thread, from the
// header. The worker touches nothing but the job's own memory: the
// compressed bytes (kept alive, never changed), the bitmap's pixel rows and
// the guarded list of progress reports; it makes no Win32 call. Destroying
// the job stops the decode and waits for the worker.
#include <atomic>
#include <exception>
#include <memory>
#include <mutex>
#include <vector>

#include "picture/codec/jpeg.h"
#include "picture/jpeg_image.h"
#include "platform/worker_thread.h"

class JpegDecoding {
public:
    // A running decode of the data into `rows`, the 24-bit pixel memory of
    // `pixels`; throws EOutOfResources when no thread can be had.
    static std::unique_ptr<JpegDecoding> Start(const JPEGDataRef& data, std::unique_ptr<TBitmap> pixels,
                                               const PixelRows& rows);
    ~JpegDecoding();
    JpegDecoding(const JpegDecoding&) = delete;
    JpegDecoding& operator=(const JpegDecoding&) = delete;

    // Waits for the decode, handing each progress report to `report` on this
    // thread as it arrives. The pixels go to `bitmap` (and their rows to
    // `rows`) once the decoder had sized the picture, however far it got;
    // then the decode's error passes on. An exception from `report` stops
    // the decode and passes on after the handover. False, with nothing
    // handed over, when the decoder wanted another layout than the header's.
    bool Finish(TBitmap& bitmap, PixelRows& rows, const codec::jpeg::ProgressFn& report);

private:
    class Target;

    JpegDecoding(const JPEGDataRef& data, std::unique_ptr<TBitmap> pixels, const PixelRows& rows);
    void Work();
    void Post(const codec::jpeg::Progress& progress);
    void Deliver(const codec::jpeg::ProgressFn& report);
    void HandOver(TBitmap& bitmap, PixelRows& rows);

    JPEGDataRef data_;
    std::unique_ptr<TBitmap> pixels_;
    PixelRows rows_;
    std::atomic<bool> stop_{false};
    // Written by the worker, read once it has ended.
    bool sized_ = false;
    bool otherLayout_ = false;
    std::exception_ptr error_;

    std::mutex reportsLock_;
    std::vector<codec::jpeg::Progress> reports_;

    // Last: made once everything above exists, ended before any of it goes.
    std::unique_ptr<WorkerThread> worker_;
};
