// The only file that includes jpeglib.h. It never includes <windows.h>: the
// two define `boolean` differently and mixing them breaks the library's
// struct layout.
//
// A fatal library error must not unwind through the library's C frames as a
// C++ exception. error_exit longjmps back into Guard instead, which throws
// there; a callback's own exception is parked in Failure::pending on the way.
// Every step run under Guard keeps no objects with destructors, because the
// jump skips them.
//
// Memory: libjpeg-turbo keeps its own allocator (malloc and free) and has no
// hook for replacing it. It makes no temporary files; when its whole-image
// buffers would pass max_memory_to_use it asks for backing store, which is
// the fatal error kErrNoBackingStore. Decode sets that bound to
// kMaxWorkMemory.
#include "picture/codec/jpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>  // jpeglib.h expects FILE and size_t to be declared
#include <exception>
#include <stdexcept>
#include <utility>

#include <jpeglib.h>
#include <jerror.h>

namespace codec::jpeg {

static_assert(JPEG_LIB_VERSION == 62, "built for the libjpeg 6b interface of libjpeg-turbo");
static_assert(kErrFileWrite == JERR_FILE_WRITE, "library code differs");
static_assert(kErrInputEmpty == JERR_INPUT_EMPTY, "library code differs");
static_assert(kErrTooManyScans == JERR_EOI_EXPECTED, "library code differs");
static_assert(kErrNoBackingStore == JERR_NO_BACKING_STORE, "library code differs");
static_assert(kErrNotJpeg == JERR_NO_SOI, "library code differs");

namespace {

constexpr std::size_t kChunk = 4096;
constexpr int kMaxRowsPerCall = 16;
const JOCTET kFakeEoi[2] = {0xFF, JPEG_EOI};

// ---- error manager ----

struct Failure : jpeg_error_mgr {
    std::jmp_buf jump;
    std::exception_ptr pending;  // thrown by a callback while inside the library
};

void ErrorExit(j_common_ptr info) {
    std::longjmp(static_cast<Failure*>(info->err)->jump, 1);
}

// Warnings and trace messages are of no use to anyone here.
void EmitMessage(j_common_ptr, int) {}
void OutputMessage(j_common_ptr) {}

void InitFailure(Failure& failure) {
    jpeg_std_error(&failure);
    failure.error_exit = ErrorExit;
    failure.emit_message = EmitMessage;
    failure.output_message = OutputMessage;
}

[[noreturn]] void Raise(const Failure& failure) {
    if (failure.pending) std::rethrow_exception(failure.pending);
    throw JpegError(failure.msg_code);
}

// Runs one library step; a fatal error inside it surfaces here as an
// exception. The step must hold no objects with destructors.
template <class Step>
void Guard(Failure& failure, Step&& step) {
    if (setjmp(failure.jump) != 0) Raise(failure);
    step();
}

// Leaves the library after a callback parked its exception.
void Abandon(j_common_ptr info) {
    (*info->err->error_exit)(info);
}

// ---- progress monitor ----

struct Monitor : jpeg_progress_mgr {
    const ProgressFn* report = nullptr;
    const std::atomic<bool>* stop = nullptr;
    ProgressPacer pacer;
};

// Passes a due report on; false when the callback threw (parked in pending).
bool Report(j_common_ptr info, Monitor& monitor) {
    if (monitor.report == nullptr || !*monitor.report) return true;
    uint32_t row = 0;
    uint32_t height = 0;
    if (info->is_decompressor) {
        auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
        row = decompress->output_scanline;
        height = decompress->output_height;
    }
    const ProgressPacer::Passes passes{monitor.pass_counter, monitor.pass_limit,
                                       monitor.completed_passes, monitor.total_passes};
    Progress progress;
    if (!monitor.pacer.Step(ProgressPacer::Clock::now(), passes, row, height, progress)) return true;
    try {
        (*monitor.report)(progress);
    } catch (...) {
        static_cast<Failure*>(info->err)->pending = std::current_exception();
        return false;
    }
    return true;
}

void OnProgress(j_common_ptr info) {
    // Called before every step of input, so it also polices the scan count.
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans)
        ERREXIT(info, JERR_EOI_EXPECTED);
    auto& monitor = *static_cast<Monitor*>(info->progress);
    if (monitor.stop != nullptr && monitor.stop->load(std::memory_order_relaxed)) {
        static_cast<Failure*>(info->err)->pending = std::make_exception_ptr(Stopped());
        Abandon(info);
    }
    if (!Report(info, monitor)) Abandon(info);
}

void InitMonitor(Monitor& monitor, const ProgressFn* report, const std::atomic<bool>* stop = nullptr) {
    monitor.progress_monitor = OnProgress;
    monitor.report = report;
    monitor.stop = stop;
}

// ---- memory source ----

struct MemorySource : jpeg_source_mgr {
    const uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t taken = 0;
};

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInput(j_decompress_ptr info) {
    auto* source = static_cast<MemorySource*>(info->src);
    if (source->taken < source->size) {
        const std::size_t n = std::min(kChunk, source->size - source->taken);
        source->next_input_byte = source->data + source->taken;
        source->bytes_in_buffer = n;
        source->taken += n;
        return TRUE;
    }
    if (source->size == 0) ERREXIT(info, JERR_INPUT_EMPTY);
    // Ended early: an end marker lets a truncated file decode its top part.
    WARNMS(info, JWRN_JPEG_EOF);
    source->next_input_byte = kFakeEoi;
    source->bytes_in_buffer = sizeof kFakeEoi;
    return TRUE;
}

void SkipInput(j_decompress_ptr info, long count) {
    if (count <= 0) return;
    auto* source = static_cast<MemorySource*>(info->src);
    auto n = static_cast<std::size_t>(count);
    while (n > source->bytes_in_buffer) {
        n -= source->bytes_in_buffer;
        FillInput(info);
        // Skipped past the end: keep the end marker for the reader to find.
        if (source->next_input_byte == kFakeEoi) return;
    }
    source->next_input_byte += n;
    source->bytes_in_buffer -= n;
}

void InitMemorySource(MemorySource& source, const uint8_t* bytes, std::size_t size) {
    source.init_source = InitSource;
    source.fill_input_buffer = FillInput;
    source.skip_input_data = SkipInput;
    source.resync_to_restart = jpeg_resync_to_restart;
    source.term_source = TermSource;
    source.next_input_byte = nullptr;
    source.bytes_in_buffer = 0;
    source.data = bytes;
    source.size = bytes == nullptr ? 0 : size;
}

// ---- writer destination ----

struct Destination : jpeg_destination_mgr {
    const Writer* writer = nullptr;
    JOCTET buffer[kChunk];
};

// True when the writer stored all n bytes; a throw is parked in pending.
bool Flush(j_compress_ptr info, Destination& destination, std::size_t n) {
    try {
        return (*destination.writer)(destination.buffer, n) == n;
    } catch (...) {
        static_cast<Failure*>(info->err)->pending = std::current_exception();
        return false;
    }
}

void InitDestination(j_compress_ptr info) {
    auto* destination = static_cast<Destination*>(info->dest);
    destination->next_output_byte = destination->buffer;
    destination->free_in_buffer = kChunk;
}

boolean EmptyOutput(j_compress_ptr info) {
    auto* destination = static_cast<Destination*>(info->dest);
    if (!Flush(info, *destination, kChunk)) ERREXIT(info, JERR_FILE_WRITE);
    destination->next_output_byte = destination->buffer;
    destination->free_in_buffer = kChunk;
    return TRUE;
}

void TermDestination(j_compress_ptr info) {
    auto* destination = static_cast<Destination*>(info->dest);
    const std::size_t n = kChunk - destination->free_in_buffer;
    if (n > 0 && !Flush(info, *destination, n)) ERREXIT(info, JERR_FILE_WRITE);
}

void InitDestinationManager(Destination& destination, const Writer& writer) {
    destination.init_destination = InitDestination;
    destination.empty_output_buffer = EmptyOutput;
    destination.term_destination = TermDestination;
    destination.writer = &writer;
}

// ---- contexts ----

// A decompressor over bytes in memory, destroyed in every case.
class Decompressor {
public:
    Decompressor(const uint8_t* bytes, std::size_t size) {
        InitFailure(failure_);
        info_.err = &failure_;
        try {
            Guard(failure_, [this] { jpeg_create_decompress(&info_); });
        } catch (...) {
            jpeg_destroy_decompress(&info_);
            throw;
        }
        InitMemorySource(source_, bytes, size);
        info_.src = &source_;
    }
    ~Decompressor() { jpeg_destroy_decompress(&info_); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    void Watch(const ProgressFn* report, const std::atomic<bool>* stop) {
        InitMonitor(monitor_, report, stop);
        info_.progress = &monitor_;
    }
    template <class Step>
    void Run(Step&& step) {
        Guard(failure_, std::forward<Step>(step));
    }
    jpeg_decompress_struct& info() { return info_; }

private:
    Failure failure_;
    MemorySource source_;
    Monitor monitor_;
    jpeg_decompress_struct info_{};
};

// A compressor writing through a 4096-byte buffer, destroyed in every case.
class Compressor {
public:
    Compressor(const Writer& writer, const ProgressFn* report) {
        InitFailure(failure_);
        info_.err = &failure_;
        try {
            Guard(failure_, [this] { jpeg_create_compress(&info_); });
        } catch (...) {
            jpeg_destroy_compress(&info_);
            throw;
        }
        InitDestinationManager(destination_, writer);
        info_.dest = &destination_;
        InitMonitor(monitor_, report);
        info_.progress = &monitor_;
    }
    ~Compressor() { jpeg_destroy_compress(&info_); }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;

    template <class Step>
    void Run(Step&& step) {
        Guard(failure_, std::forward<Step>(step));
    }
    jpeg_compress_struct& info() { return info_; }

private:
    Failure failure_;
    Destination destination_;
    Monitor monitor_;
    jpeg_compress_struct info_{};
};

// ---- decoding ----

void Prepare(jpeg_decompress_struct& info, const DecodeOptions& options) {
    info.scale_num = 1;
    info.scale_denom = 1;
    info.do_block_smoothing = TRUE;
    info.mem->max_memory_to_use = kMaxWorkMemory;
    if (options.grayOutput) info.out_color_space = JCS_GRAYSCALE;
    if (options.eightBit || info.out_color_space == JCS_GRAYSCALE) {
        info.quantize_colors = TRUE;
        info.desired_number_of_colors = kPaletteColours;
        // Indices come out either way; RGB fixes the colour map's order.
        if (info.out_color_space != JCS_GRAYSCALE) info.out_color_space = JCS_RGB;
    } else {
        // Rows land in the blue, green, red order of a 24-bit DIB.
        info.out_color_space = JCS_EXT_BGR;
    }
}

std::vector<Rgb> PaletteOf(const jpeg_decompress_struct& info) {
    std::vector<Rgb> palette;
    const int count = std::clamp(info.actual_number_of_colors, 0, 256);
    const bool grey = info.out_color_components == 1;
    for (int i = 0; i < count; ++i) {
        Rgb entry;
        entry.red = info.colormap[0][i];
        entry.green = grey ? entry.red : info.colormap[1][i];
        entry.blue = grey ? entry.red : info.colormap[2][i];
        palette.push_back(entry);
    }
    return palette;
}

Layout LayoutOf(const jpeg_decompress_struct& info) {
    Layout layout;
    layout.width = info.output_width;
    layout.height = info.output_height;
    layout.bits = info.quantize_colors ? 8 : 24;
    // Rows are sized from bits; the library must agree before it writes.
    if (info.output_components != layout.bits / 8) throw JpegError(JERR_CONVERSION_NOTIMPL);
    if (info.quantize_colors) layout.palette = PaletteOf(info);
    return layout;
}

JSAMPROW RowOf(Target& target, uint32_t y) {
    uint8_t* row = target.Row(y);
    if (row == nullptr) throw std::invalid_argument("jpeg target has no row");
    return row;
}

void ReadRows(Decompressor& decompressor, Target& target) {
    jpeg_decompress_struct& info = decompressor.info();
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[kMaxRowsPerCall];
        const JDIMENSION left = info.output_height - info.output_scanline;
        const auto count = static_cast<JDIMENSION>(
            std::clamp(info.rec_outbuf_height, 1, kMaxRowsPerCall));
        const JDIMENSION wanted = std::min(count, left);
        for (JDIMENSION i = 0; i < wanted; ++i) rows[i] = RowOf(target, info.output_scanline + i);
        JDIMENSION got = 0;
        decompressor.Run([&] { got = jpeg_read_scanlines(&info, rows, wanted); });
        // Only a suspending source returns nothing; never loop on it.
        if (got == 0) throw JpegError(JERR_TOO_LITTLE_DATA);
    }
}

// ---- encoding ----

JSAMPROW SourceRow(const RowSource& rows, uint32_t y) {
    const uint8_t* row = rows(y);
    if (row == nullptr) throw std::invalid_argument("jpeg source has no row");
    // The library only reads input rows; its interface is not const-correct.
    return const_cast<JSAMPROW>(row);
}

}  // namespace

Header ReadHeader(const uint8_t* bytes, std::size_t size) {
    Decompressor decompressor(bytes, size);
    jpeg_decompress_struct& info = decompressor.info();
    bool multipleScans = false;
    decompressor.Run([&] {
        jpeg_read_header(&info, TRUE);
        multipleScans = jpeg_has_multiple_scans(&info) != FALSE;
    });
    Header header;
    header.width = info.image_width;
    header.height = info.image_height;
    header.grayscale = info.jpeg_color_space == JCS_GRAYSCALE;
    header.progressive = multipleScans;
    return header;
}

void Decode(const uint8_t* bytes, std::size_t size, const DecodeOptions& options, Target& target) {
    Decompressor decompressor(bytes, size);
    // Always watched: the monitor also enforces the scan limit.
    decompressor.Watch(&options.progress, options.stop);
    jpeg_decompress_struct& info = decompressor.info();
    decompressor.Run([&] { jpeg_read_header(&info, TRUE); });
    Prepare(info, options);
    decompressor.Run([&] { jpeg_start_decompress(&info); });
    target.Size(LayoutOf(info));
    ReadRows(decompressor, target);
    decompressor.Run([&] { jpeg_finish_decompress(&info); });
}

void Encode(const RowSource& rows, uint32_t width, uint32_t height, const EncodeOptions& options,
            const Writer& writer) {
    Compressor compressor(writer, &options.progress);
    jpeg_compress_struct& info = compressor.info();
    info.image_width = width;
    info.image_height = height;
    info.input_components = 3;
    info.in_color_space = JCS_EXT_BGR;
    compressor.Run([&] {
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, options.quality, TRUE);
        if (options.gray) jpeg_set_colorspace(&info, JCS_GRAYSCALE);
        if (options.progressive) jpeg_simple_progression(&info);
        jpeg_start_compress(&info, TRUE);
    });
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = SourceRow(rows, info.next_scanline);
        JDIMENSION written = 0;
        compressor.Run([&] { written = jpeg_write_scanlines(&info, &row, 1); });
        if (written == 0) throw JpegError(JERR_FILE_WRITE);
    }
    compressor.Run([&] { jpeg_finish_compress(&info); });
}

int PercentDone(const ProgressPacer::Passes& passes) {
    if (passes.limit <= 0 || passes.total <= 0) return 0;
    const double done = 100.0 *
                        (static_cast<double>(passes.counter) / static_cast<double>(passes.limit) +
                         passes.completed) /
                        passes.total;
    if (!(done > 0.0)) return 0;
    if (done >= 100.0) return 100;
    return static_cast<int>(done);
}

bool ProgressPacer::Step(Clock::time_point now, const Passes& passes, uint32_t row, uint32_t height,
                         Progress& report) {
    if (!started_) {
        started_ = true;
        last_ = now;
        return false;
    }
    if (now - last_ < kInterval) return false;
    const int percent = PercentDone(passes);
    if (percent == lastPercent_) return false;
    report = Progress{};
    report.percent = percent;
    if (height > 0) {
        row = std::min(row, height);
        // A new pass restarts at the top: the band runs to the bottom.
        const uint32_t bottom = row >= lastRow_ ? row : height;
        report.top = lastRow_;
        report.bottom = bottom;
        report.redraw = bottom - lastRow_ > 3;
        lastRow_ = row;
    }
    last_ = now;
    lastPercent_ = percent;
    return true;
}

}  // namespace codec::jpeg
