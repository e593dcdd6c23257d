#include "picture/codec/metafile.h"

#include <algorithm>

#include "picture/codec/emf_records.h"
#include "picture/codec/errors.h"
#include "picture/codec/little_endian.h"
#include "picture/codec/wmf_embedded_emf.h"
#include "picture/codec/wmf_records.h"

namespace codec::metafile {
namespace {

using le::I16;
using le::I32;
using le::U16;
using le::U32;

constexpr uint32_t kEmrHeader = 1;
constexpr uint32_t kWmfHeaderWords = kWmfHeaderSize / 2;
constexpr uint32_t kWmfEndWords = 3;
constexpr uint16_t kWmfEndFunction = 0;

// p / c rounded to nearest, halves away from zero; c is not 0 and |p| < 2^63.
int64_t RoundedDiv(int64_t p, int64_t c) {
    int64_t q = p / c;
    int64_t r = p % c;
    int64_t absR = r < 0 ? -r : r;
    int64_t absC = c < 0 ? -c : c;
    if (absR >= absC - absR) q += ((p < 0) != (c < 0)) ? -1 : 1;
    return q;
}

// Rounded a * b / c for 32-bit a and b and a c of at most 39 bits: the product fits in 64.
int32_t Scale(int64_t a, int64_t b, int64_t c) {
    if (c == 0) return -1;
    int64_t q = RoundedDiv(a * b, c);
    if (q > INT32_MAX || q < INT32_MIN) return -1;
    return static_cast<int32_t>(q);
}

int32_t Extent(int32_t from, int32_t to) {
    int64_t d = int64_t{to} - from;
    if (d > INT32_MAX || d < INT32_MIN) throw InvalidData{};
    return static_cast<int32_t>(d);
}

int16_t ToBox(int32_t logical, uint16_t upi) {
    int64_t v = RoundedDiv(int64_t{logical} * upi, 2540);
    // A box past 16 bits would wrap to a negative size; keep the largest that fits.
    if (v > INT16_MAX) return INT16_MAX;
    if (v < INT16_MIN) return INT16_MIN;
    return static_cast<int16_t>(v);
}

}  // namespace

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
    return Scale(a, b, c);
}

bool IsEmf(const uint8_t* data, size_t size) {
    if (size <= kEmfHeaderSize) return false;
    return U32<ShortRead>(data, size, 0) == kEmrHeader &&
           U32<ShortRead>(data, size, 40) == kEmfSignature;
}

Emf ReadEmf(const uint8_t* data, size_t size) {
    le::Require<ShortRead>(size, 0, kEmfHeaderSize);
    if (U32<ShortRead>(data, size, 0) != kEmrHeader || U32<ShortRead>(data, size, 40) != kEmfSignature)
        throw InvalidData{};
    EmfHeader h;
    h.frameLeft = I32<ShortRead>(data, size, 24);
    h.frameTop = I32<ShortRead>(data, size, 28);
    h.frameRight = I32<ShortRead>(data, size, 32);
    h.frameBottom = I32<ShortRead>(data, size, 36);
    h.totalSize = U32<ShortRead>(data, size, 48);
    h.devicePixelsX = I32<ShortRead>(data, size, 72);
    h.devicePixelsY = I32<ShortRead>(data, size, 76);
    h.deviceMillimetresX = I32<ShortRead>(data, size, 80);
    h.deviceMillimetresY = I32<ShortRead>(data, size, 84);
    if (h.totalSize < kEmfHeaderSize || h.totalSize > size) throw InvalidData{};
    h.logicalWidth = Extent(h.frameLeft, h.frameRight);
    h.logicalHeight = Extent(h.frameTop, h.frameBottom);
    Emf emf;
    emf.header = h;
    emf.playable = MendEmfRecords(data, h.totalSize, emf.mending);
    return emf;
}

uint16_t PlaceableChecksum(const uint8_t* header) {
    uint16_t sum = 0;
    for (size_t i = 0; i < 10; ++i) sum ^= U16<InvalidData>(header, kPlaceableSize, 2 * i);
    return sum;
}

PlaceableHeader ReadPlaceable(const uint8_t* data, size_t size) {
    le::Require<ShortRead>(size, 0, kPlaceableSize);
    if (U32<ShortRead>(data, size, 0) != kPlaceableKey) throw InvalidData{};
    PlaceableHeader h;
    h.left = I16<ShortRead>(data, size, 6);
    h.top = I16<ShortRead>(data, size, 8);
    h.right = I16<ShortRead>(data, size, 10);
    h.bottom = I16<ShortRead>(data, size, 12);
    h.unitsPerInch = U16<ShortRead>(data, size, 14);
    h.checksum = U16<ShortRead>(data, size, 20);
    if (h.checksum != PlaceableChecksum(data)) throw InvalidData{};
    return h;
}

namespace {
// The bytes from the 18-byte header through the end record, by the records' sizes.
size_t WmfExtent(const uint8_t* data, size_t size) {
    for (uint64_t at = kWmfHeaderSize;;) {
        const uint32_t words = U32<InvalidData>(data, size, at);
        const uint64_t bytes = uint64_t{words} * 2;
        if (words < kWmfEndWords || !le::Fits(size, at, bytes)) throw InvalidData{};
        at += bytes;
        if (U16<InvalidData>(data, size, at - bytes + 4) == kWmfEndFunction) {
            if (words != kWmfEndWords) throw InvalidData{};
            return static_cast<size_t>(at);
        }
    }
}
}  // namespace

std::vector<uint8_t> MendWmfRecords(const uint8_t* data, size_t size, Mending& mending) {
    le::Require<InvalidData>(size, 0, kWmfHeaderSize);
    // The system finds the first record by the header's own size field.
    if (U16<InvalidData>(data, size, 2) != kWmfHeaderWords) throw InvalidData{};
    const uint16_t objects = U16<InvalidData>(data, size, 10);
    const size_t end = WmfExtent(data, size);
    std::vector<uint8_t> out(data, data + kWmfHeaderSize);
    uint32_t largest = kWmfEndWords;
    for (size_t at = kWmfHeaderSize; at < end;) {
        const size_t bytes = size_t(U32<InvalidData>(data, end, at)) * 2;
        const size_t before = out.size();
        if (at + bytes == end)
            out.insert(out.end(), data + at, data + end);  // the end record
        else if (!IsEmfChunk(data + at, bytes))
            MendWmfRecord(data + at, bytes, objects, out, mending);
        largest = std::max(largest, uint32_t((out.size() - before) / 2));
        at += bytes;
    }
    le::Put32(out.data() + 6, uint32_t(out.size() / 2));
    le::Put32(out.data() + 12, largest);
    return out;
}

Wmf ReadWmf(const uint8_t* data, size_t size) {
    Wmf w;
    w.header = ReadPlaceable(data, size);
    w.logicalWidth = LogicalExtent(int32_t{w.header.right} - w.header.left, w.header.unitsPerInch);
    w.logicalHeight = LogicalExtent(int32_t{w.header.bottom} - w.header.top, w.header.unitsPerInch);
    const uint8_t* records = data + kPlaceableSize;
    const size_t available = size - kPlaceableSize;
    w.playable = MendWmfRecords(records, available, w.mending);
    const std::vector<uint8_t> carried = CarriedEmf(records, WmfExtent(records, available));
    if (carried.empty() || !IsEmf(carried.data(), carried.size())) return w;
    // A copy whose header or record chain is broken is not played: the records are.
    try {
        Emf emf = ReadEmf(carried.data(), carried.size());
        w.carried = std::move(emf.playable);
        w.mending = emf.mending;
    } catch (const InvalidData&) {
    } catch (const ShortRead&) {
    }
    return w;
}

int32_t LogicalExtent(int32_t boxExtent, uint16_t unitsPerInch) {
    uint16_t upi = unitsPerInch != 0 ? unitsPerInch : kDefaultUnitsPerInch;
    return MulDiv(boxExtent, 2540, upi);
}

std::array<uint8_t, kPlaceableSize> WritePlaceable(int32_t logicalWidth, int32_t logicalHeight,
                                                    uint16_t unitsPerInch) {
    uint16_t upi = unitsPerInch != 0 ? unitsPerInch : kDefaultUnitsPerInch;
    std::array<uint8_t, kPlaceableSize> h{};
    le::Put32(h.data(), kPlaceableKey);
    le::Put16(h.data() + 10, static_cast<uint16_t>(ToBox(logicalWidth, upi)));
    le::Put16(h.data() + 12, static_cast<uint16_t>(ToBox(logicalHeight, upi)));
    le::Put16(h.data() + 14, upi);
    le::Put16(h.data() + 20, PlaceableChecksum(h.data()));
    return h;
}

int32_t WmfPixels(int32_t logical, int32_t pixelsPerInch) {
    return MulDiv(logical, pixelsPerInch, 2540);
}

int32_t EmfPixels(int32_t logical, int32_t devicePixels, int32_t deviceMillimetres) {
    return Scale(logical, devicePixels, int64_t{deviceMillimetres} * 100);
}

}  // namespace codec::metafile
