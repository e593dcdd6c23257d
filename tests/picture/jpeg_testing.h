#pragma once
// JPEG files for the tests, made with the program's own encoder.
#include <cstdint>
#include <vector>

namespace pictest {

// width x height of one colour, or top half `top` and bottom half `bottom`.
struct JpegFields {
    uint32_t width = 16;
    uint32_t height = 16;
    uint32_t top = 0xFF0000;     // 0xRRGGBB
    uint32_t bottom = 0xFF0000;
    bool gray = false;
    bool progressive = false;
};
std::vector<uint8_t> BuildJpeg(const JpegFields& fields);

// The file without its marker segments of type `marker` (e.g. 0xDB, the
// quantisation tables) before the first scan.
std::vector<uint8_t> WithoutSegments(const std::vector<uint8_t>& jpeg, uint8_t marker);
// The file cut in the middle of its first scan's data.
std::vector<uint8_t> CutInScan(const std::vector<uint8_t>& jpeg);
// The file with the frame header claiming width x height.
std::vector<uint8_t> WithFrameSize(std::vector<uint8_t> jpeg, uint16_t width, uint16_t height);

}  // namespace pictest
