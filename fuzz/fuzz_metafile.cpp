// libFuzzer driver for the metafile reader: EMF recognition, header and
// record walk; placeable header and WMF record walk; the copies handed to
// the system, which must read again as they are (nothing left to mend),
// also after the counts stated for the system's converters; and the
// arithmetic, checked against a plain reference.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "picture/codec/converter_input.h"
#include "picture/codec/errors.h"
#include "picture/codec/little_endian.h"
#include "picture/codec/metafile.h"

namespace mf = codec::metafile;
using Bytes = std::vector<uint8_t>;

namespace {

using codec::le::Append32;
using codec::le::Put16;
using codec::le::Put32;

Bytes Emf() {
    Bytes b(108, 0);
    Put32(b, 0, 1);
    Put32(b, 4, 108);
    Put32(b, 32, 2540);
    Put32(b, 36, 1270);
    Put32(b, 40, mf::kEmfSignature);
    Put32(b, 72, 1024);
    Put32(b, 76, 768);
    Put32(b, 80, 320);
    Put32(b, 84, 240);
    Append32(b, {17, 12, 1});  // SETMAPMODE
    Append32(b, {14, 20, 0, 16, 20});
    Put32(b, 48, static_cast<uint32_t>(b.size()));
    return b;
}

Bytes Wmf(uint16_t upi) {
    auto head = mf::WritePlaceable(2540, 1270, upi);
    Bytes b(head.begin(), head.end());
    size_t at = b.size();
    b.resize(at + 18 + 8 + 6, 0);
    Put16(b, at, 1);
    Put16(b, at + 2, 9);
    Put16(b, at + 4, 0x300);
    Put32(b, at + 6, 16);
    Put32(b, at + 18, 4);
    Put16(b, at + 22, 0x103);
    Put32(b, at + 26, 3);
    return b;
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

// Reference in 128 bits: round |a*b| / |c| as floor((2|p| + |c|) / 2|c|), then put the sign back.
void CheckMulDiv(int32_t a, int32_t b, int32_t c) {
    int32_t got = mf::MulDiv(a, b, c);
    if (c == 0) {
        Check(got == -1);
        return;
    }
    __int128 p = static_cast<__int128>(a) * b;
    __int128 absP = p < 0 ? -p : p;
    __int128 absC = c < 0 ? -static_cast<__int128>(c) : c;
    __int128 q = (2 * absP + absC) / (2 * absC);
    if ((p < 0) != (c < 0)) q = -q;
    Check(q > INT32_MAX || q < INT32_MIN ? got == -1 : got == static_cast<int32_t>(q));
}

// A copy made for the system reads again as it is.
void CheckSettled(const Bytes& emf) {
    const mf::Emf again = mf::ReadEmf(emf.data(), emf.size());
    Check(again.playable == emf && again.mending.mended == 0 && again.mending.dropped == 0);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* dir = std::getenv("LUMENO_WRITE_SEEDS");
    if (!dir) return 0;
    Write(dir, "small.emf", Emf());
    Write(dir, "inch.wmf", Wmf(1440));
    Write(dir, "zero.wmf", Wmf(0));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size >= 12) {
        const codec::le::Bytes<codec::InvalidData> fields(data, size);
        CheckMulDiv(fields.I32(0), fields.I32(4), fields.I32(8));
    }
    try {
        if (mf::IsEmf(data, size)) {
            const mf::Emf emf = mf::ReadEmf(data, size);
            Check(emf.header.totalSize >= mf::kEmfHeaderSize && emf.header.totalSize <= size);
            mf::EmfPixels(emf.header.logicalWidth, emf.header.devicePixelsX, emf.header.deviceMillimetresX);
            CheckSettled(emf.playable);
            Bytes stated = emf.playable;
            mf::StateEmfBitmapSizes(stated.data(), stated.size());
            CheckSettled(stated);
        } else {
            const mf::Wmf w = mf::ReadWmf(data, size);
            if (!w.carried.empty()) CheckSettled(w.carried);
            Bytes stated = w.playable;
            mf::StateWmfBitmapCounts(stated.data(), stated.size());
            mf::Mending again;
            Check(mf::MendWmfRecords(stated.data(), stated.size(), again) == stated);
            Check(again.mended == 0 && again.dropped == 0);
            auto head = mf::WritePlaceable(w.logicalWidth, w.logicalHeight, w.header.unitsPerInch);
            mf::PlaceableHeader h = mf::ReadPlaceable(head.data(), head.size());
            Check(h.left == 0 && h.top == 0 && h.unitsPerInch != 0);
        }
    } catch (const codec::InvalidData&) {
    } catch (const codec::ShortRead&) {
    }
    return 0;
}
