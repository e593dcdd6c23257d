#include "picture/jpeg_decoding.h"

#include <utility>

namespace jpeg = codec::jpeg;

namespace {
// How often the waiting thread looks for progress reports.
constexpr DWORD kReportWait = 50;

// The decoder asked for another layout than the one made from the header.
struct OtherLayout {};
}  // namespace

// Rows straight into the bitmap made beforehand.
class JpegDecoding::Target : public jpeg::Target {
public:
    explicit Target(JpegDecoding& job) : job_(job) {}

    void Size(const jpeg::Layout& layout) override {
        const PixelRows& rows = job_.rows_;
        if (int(layout.width) != rows.width || int(layout.height) != rows.height || layout.bits != 24 ||
            !layout.palette.empty())
            throw OtherLayout();
        job_.sized_ = true;
    }

    uint8_t* Row(uint32_t y) override { return job_.rows_.row0 + intptr_t(y) * job_.rows_.step; }

private:
    JpegDecoding& job_;
};

std::unique_ptr<JpegDecoding> JpegDecoding::Start(const JPEGDataRef& data, std::unique_ptr<TBitmap> pixels,
                                                  const PixelRows& rows) {
    std::unique_ptr<JpegDecoding> job(new JpegDecoding(data, std::move(pixels), rows));
    job->worker_ = std::make_unique<WorkerThread>([raw = job.get()] { raw->Work(); });
    return job;
}

JpegDecoding::JpegDecoding(const JPEGDataRef& data, std::unique_ptr<TBitmap> pixels, const PixelRows& rows)
    : data_(data), pixels_(std::move(pixels)), rows_(rows) {}

JpegDecoding::~JpegDecoding() {
    stop_ = true;
    worker_.reset();
}

void JpegDecoding::Work() {
    try {
        jpeg::DecodeOptions options;
        options.stop = &stop_;
        options.progress = [this](const jpeg::Progress& p) { Post(p); };
        Target target(*this);
        jpeg::Decode(data_->bytes.data(), data_->bytes.size(), options, target);
    } catch (const OtherLayout&) {
        otherLayout_ = true;
    } catch (...) {
        error_ = std::current_exception();
    }
}

void JpegDecoding::Post(const jpeg::Progress& progress) {
    std::lock_guard<std::mutex> hold(reportsLock_);
    reports_.push_back(progress);
}

void JpegDecoding::Deliver(const jpeg::ProgressFn& report) {
    std::vector<jpeg::Progress> due;
    {
        std::lock_guard<std::mutex> hold(reportsLock_);
        due.swap(reports_);
    }
    if (report)
        for (const jpeg::Progress& p : due) report(p);
}

bool JpegDecoding::Finish(TBitmap& bitmap, PixelRows& rows, const jpeg::ProgressFn& report) {
    try {
        while (!worker_->Wait(kReportWait)) Deliver(report);
        Deliver(report);
    } catch (...) {
        stop_ = true;
        worker_->Wait(INFINITE);
        HandOver(bitmap, rows);
        throw;
    }
    if (otherLayout_) return false;
    HandOver(bitmap, rows);
    if (error_) std::rethrow_exception(error_);
    return true;
}

void JpegDecoding::HandOver(TBitmap& bitmap, PixelRows& rows) {
    if (!sized_) return;
    bitmap.Assign(pixels_.get());
    rows = rows_;
}
