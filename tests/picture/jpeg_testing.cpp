#include "jpeg_testing.h"

#include <cstddef>

#include "picture/codec/jpeg.h"

namespace pictest {

std::vector<uint8_t> BuildJpeg(const JpegFields& f) {
    std::vector<uint8_t> row(size_t(f.width) * 3);
    std::vector<uint8_t> out;
    codec::jpeg::EncodeOptions options;
    options.gray = f.gray;
    options.progressive = f.progressive;
    codec::jpeg::Encode(
        [&](uint32_t y) {
            const uint32_t c = y < f.height / 2 ? f.top : f.bottom;
            for (size_t x = 0; x < f.width; ++x) {
                row[x * 3] = uint8_t(c);
                row[x * 3 + 1] = uint8_t(c >> 8);
                row[x * 3 + 2] = uint8_t(c >> 16);
            }
            return row.data();
        },
        f.width, f.height, options,
        [&](const uint8_t* bytes, std::size_t n) {
            out.insert(out.end(), bytes, bytes + n);
            return n;
        });
    return out;
}

namespace {
// Calls `segment(start, length)` for every marker segment before the first
// scan; length counts the marker bytes too.
template <class Fn>
void EachSegment(const std::vector<uint8_t>& jpeg, Fn segment) {
    size_t at = 2;
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] != 0xDA) {
        const size_t length = 2 + (size_t(jpeg[at + 2]) << 8 | jpeg[at + 3]);
        segment(at, length);
        at += length;
    }
}
}  // namespace

std::vector<uint8_t> WithoutSegments(const std::vector<uint8_t>& jpeg, uint8_t marker) {
    std::vector<uint8_t> out(jpeg.begin(), jpeg.begin() + 2);
    size_t kept = 2;
    EachSegment(jpeg, [&](size_t start, size_t length) {
        if (jpeg[start + 1] != marker) out.insert(out.end(), jpeg.begin() + start, jpeg.begin() + start + length);
        kept = start + length;
    });
    out.insert(out.end(), jpeg.begin() + kept, jpeg.end());
    return out;
}

std::vector<uint8_t> CutInScan(const std::vector<uint8_t>& jpeg) {
    size_t scan = 2;
    EachSegment(jpeg, [&](size_t start, size_t length) { scan = start + length; });
    return std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + (scan + jpeg.size()) / 2);
}

std::vector<uint8_t> WithFrameSize(std::vector<uint8_t> jpeg, uint16_t width, uint16_t height) {
    EachSegment(jpeg, [&](size_t start, size_t) {
        const uint8_t m = jpeg[start + 1];
        if (m != 0xC0 && m != 0xC2) return;
        // FF Cx, length (2), precision (1), height (2), width (2).
        jpeg[start + 5] = uint8_t(height >> 8);
        jpeg[start + 6] = uint8_t(height);
        jpeg[start + 7] = uint8_t(width >> 8);
        jpeg[start + 8] = uint8_t(width);
    });
    return jpeg;
}

}  // namespace pictest
