#pragma once
// JPEG streams through libjpeg: header reading, decoding into 24-bit (BGR) or
// 8-bit palette rows, and encoding from BGR rows. Plain C++ types only; the
// library itself is reached from jpeg.cpp alone. Every fatal library error is
// raised as codec::JpegError carrying the library's own message code.
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "picture/codec/errors.h"

namespace codec::jpeg {

// Message codes of the linked library (jerror.h of libjpeg 6b, version 62);
// jpeg.cpp checks each against the library's enumeration.
constexpr int kErrTooManyScans = 35;    // more than kMaxScans scans (the code for an unexpected scan)
constexpr int kErrFileWrite = 37;       // the writer stored fewer bytes than given
constexpr int kErrInputEmpty = 42;      // no bytes at all
constexpr int kErrNoBackingStore = 49;  // whole-image buffers above kMaxWorkMemory
constexpr int kErrNotJpeg = 53;         // no start-of-image marker

// A stream with more scans than this fails instead of keeping the program
// busy for minutes.
constexpr int kMaxScans = 1000;
// Bound on the library's whole-image buffers (progressive coefficients,
// two-pass quantising), so a few hostile bytes cannot claim gigabytes.
constexpr long kMaxWorkMemory = 1L << 30;
// Colours asked of the quantiser for 8-bit output (20 stay for the system).
constexpr int kPaletteColours = 236;

struct Header {
    uint32_t width = 0;
    uint32_t height = 0;
    bool grayscale = false;    // the file's colour space is grayscale
    bool progressive = false;  // the file has several scans
};

// One palette entry of 8-bit output.
struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// What the target must hold: bits is 24 (B, G, R per pixel) or 8 (palette
// indices); palette is empty for 24 bits.
struct Layout {
    uint32_t width = 0;
    uint32_t height = 0;
    int bits = 24;
    std::vector<Rgb> palette;
};

// A report of decoding progress: percent done and the band of rows
// [top, bottom) decoded since the last report; redraw asks for a repaint.
struct Progress {
    int percent = 0;
    uint32_t top = 0;
    uint32_t bottom = 0;
    bool redraw = false;
};
using ProgressFn = std::function<void(const Progress&)>;

// Where decoded rows go. Exceptions thrown here or by a progress callback
// stop the work and reach the caller unchanged.
class Target {
public:
    virtual ~Target() = default;
    // Sizes the picture; called once, before any row is asked for.
    virtual void Size(const Layout& layout) = 0;
    // Address of row y counted from the top; it must hold width * bits / 8 bytes.
    virtual uint8_t* Row(uint32_t y) = 0;
};

// Decoding was stopped from outside (DecodeOptions::stop).
struct Stopped : std::exception {
    const char* what() const noexcept override { return "decoding stopped"; }
};

struct DecodeOptions {
    bool grayOutput = false;  // decode a colour file as grey (8-bit)
    bool eightBit = false;    // quantise colour output to a kPaletteColours palette
    ProgressFn progress;      // may be empty
    // Read at every step of the library's work, so another thread can end a
    // decode early; when it turns true, Decode fails with Stopped.
    const std::atomic<bool>* stop = nullptr;
};

// BGR row y (from the top) of the picture to encode, width * 3 bytes.
using RowSource = std::function<const uint8_t*(uint32_t y)>;
// Stores n bytes and returns how many it stored.
using Writer = std::function<std::size_t(const uint8_t* bytes, std::size_t n)>;

struct EncodeOptions {
    int quality = 90;          // 1..100, clamped by the library
    bool gray = false;         // write one grey component
    bool progressive = false;  // write the library's simple progression
    ProgressFn progress;       // reports percent only; may be empty
};

// Reads the frame header of a JPEG stream without decoding pixels.
Header ReadHeader(const uint8_t* bytes, std::size_t size);

// Decodes a whole stream into target. Grey files and grayOutput give 8 bits
// with a grey palette; a truncated stream decodes as far as its data goes. A
// fatal error after target.Size leaves the rows decoded so far in place.
void Decode(const uint8_t* bytes, std::size_t size, const DecodeOptions& options, Target& target);

// Compresses width x height BGR rows and hands the bytes to writer in
// pieces of at most 4096 bytes; a short write fails with kErrFileWrite.
void Encode(const RowSource& rows, uint32_t width, uint32_t height, const EncodeOptions& options,
            const Writer& writer);

// Turns the library's progress calls into reports: at most one per 500 ms,
// never the same percent twice. Pure, so it can be tested with a fake clock.
class ProgressPacer {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kInterval{500};

    // The library's pass counters at one call.
    struct Passes {
        long counter = 0;
        long limit = 0;
        int completed = 0;
        int total = 0;
    };

    // row: rows delivered so far (0 when encoding); height: rows of the
    // picture (0 when encoding, which gives an empty band). Returns true and
    // fills report when this call is to be reported.
    bool Step(Clock::time_point now, const Passes& passes, uint32_t row, uint32_t height,
              Progress& report);

private:
    bool started_ = false;
    Clock::time_point last_{};
    int lastPercent_ = 0;
    uint32_t lastRow_ = 0;
};

// Percent done for the library's pass counters, truncated; 0 when the
// counters make no sense.
int PercentDone(const ProgressPacer::Passes& passes);

}  // namespace codec::jpeg
