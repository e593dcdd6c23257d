// libFuzzer driver for the icon reader: header check, directory, choice and
// split for several displays, and the writer over what was decoded.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "picture/codec/errors.h"
#include "picture/codec/ico.h"
#include "picture/codec/little_endian.h"

namespace ico = codec::ico;
using Bytes = std::vector<uint8_t>;

namespace {

using codec::le::Put16;
using codec::le::Put32;

Bytes Image(uint32_t w, uint32_t h, uint32_t bits) {
    size_t stride = (size_t{w} * bits + 31) / 32 * 4;
    size_t mask = (size_t{w} + 31) / 32 * 4;
    size_t table = bits <= 8 ? (size_t{4} << bits) : 0;
    Bytes img(40 + table + (stride + mask) * h);
    for (size_t i = 40; i < img.size(); ++i) img[i] = static_cast<uint8_t>(i * 13);
    Put32(img, 0, 40);
    Put32(img, 4, w);
    Put32(img, 8, 2 * h);
    Put16(img, 12, 1);
    Put16(img, 14, static_cast<uint16_t>(bits));
    return img;
}

Bytes File(const std::vector<Bytes>& images, const std::vector<uint16_t>& words) {
    Bytes f(6 + 16 * images.size(), 0);
    Put16(f, 2, 1);
    Put16(f, 4, static_cast<uint16_t>(images.size()));
    for (size_t i = 0; i < images.size(); ++i) {
        size_t at = 6 + 16 * i;
        Put16(f, at + 2, words[i]);
        Put32(f, at + 8, static_cast<uint32_t>(images[i].size()));
        Put32(f, at + 12, static_cast<uint32_t>(f.size()));
        f.insert(f.end(), images[i].begin(), images[i].end());
    }
    return f;
}

void Write(const std::string& dir, const char* name, const Bytes& b) {
    std::string path = dir + "/" + name;
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(b.data(), 1, b.size(), f);
        std::fclose(f);
    }
}

void Check(bool ok) {
    if (!ok) std::abort();
}

// Every decoded part has exactly the sizes its header promises.
void CheckImage(const ico::Image& img) {
    if (img.standardIcon) return;
    Check(img.width > 0 && img.height > 0);
    if (!img.png.empty())  // for the system's decoder, its sides bounded
        return Check(uint32_t(img.width) <= ico::kMaxPngSide && uint32_t(img.height) <= ico::kMaxPngSide);
    const uint64_t width = uint64_t(img.width), height = uint64_t(img.height);
    uint64_t stride = (width * img.bitCount + 31) / 32 * 4;
    uint64_t mask = (width + 31) / 32 * 4;
    Check(img.colour.bits.size() == stride * height);
    Check(img.mask.bits.size() == mask * height);
    Check(img.colour.info.size() == 40 + (img.bitCount <= 8 ? (size_t{4} << img.bitCount) : 0));
    Check(img.mask.info.size() == 48);
}

void RoundTrip(const ico::Image& img) {
    if (img.standardIcon || img.bitCount != 4) return;
    Bytes file = ico::WriteIcon(img.colour, img.mask.bits);
    ico::Image back = ico::Decode(file.data(), file.size(), 16);
    Check(back.colour.bits == img.colour.bits && back.mask.bits == img.mask.bits);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* dir = std::getenv("LUMENO_WRITE_SEEDS");
    if (!dir) return 0;
    Write(dir, "three.ico", File({Image(16, 16, 1), Image(32, 32, 4), Image(48, 48, 8)}, {2, 16, 0}));
    Write(dir, "deep.ico", File({Image(8, 8, 16), Image(9, 7, 24), Image(5, 5, 32)}, {0, 0, 0}));
    Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13};
    Write(dir, "png.ico", File({png, Image(16, 16, 4)}, {0, 16}));
    Write(dir, "standard.ico", Bytes(6, 0));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        ico::CheckHeader(data, size);
    } catch (const codec::ShortRead&) {
        return 0;
    } catch (const codec::InvalidData&) {
        return 0;
    }
    for (uint16_t colours : {uint16_t{0}, uint16_t{1}, uint16_t{2}, uint16_t{16}, uint16_t{256}}) {
        try {
            ico::Image img = ico::Decode(data, size, colours);
            CheckImage(img);
            RoundTrip(img);
        } catch (const codec::InvalidData&) {
        }
    }
    return 0;
}
