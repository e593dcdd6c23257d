#include "picture/drop_sample.h"

#include <cstring>
#include <vector>

namespace {
// Source index whose span holds the centre of target index i: (2i + 1) * n / 2m.
int CentreOf(int i, int n, int m) { return int((2 * int64_t(i) + 1) * n / (2 * int64_t(m))); }
}  // namespace

void DropSample(const PixelRows& from, const PixelRows& to) {
    const int bpp = to.bytesPerPixel;
    std::vector<int> columns(size_t(to.width > 0 ? to.width : 0));
    for (int x = 0; x < to.width; ++x) columns[size_t(x)] = CentreOf(x, from.width, to.width) * bpp;
    for (int y = 0; y < to.height; ++y) {
        const uint8_t* source = from.row0 + intptr_t(CentreOf(y, from.height, to.height)) * from.step;
        uint8_t* target = to.row0 + intptr_t(y) * to.step;
        for (int x = 0; x < to.width; ++x) std::memcpy(target + x * bpp, source + columns[size_t(x)], size_t(bpp));
    }
}
