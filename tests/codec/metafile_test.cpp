#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "picture/codec/errors.h"
#include "picture/codec/little_endian.h"
#include "picture/codec/metafile.h"
#include "testing.h"

using namespace codec::metafile;
using Bytes = std::vector<uint8_t>;

namespace {

using codec::le::Append32;
using codec::le::Put16;
using codec::le::Put32;

// Header record of 108 bytes, one 12-byte record, the 20-byte end record.
Bytes MakeEmf() {
    Bytes b(108, 0);
    Put32(b, 0, 1);
    Put32(b, 4, 108);
    Put32(b, 24, static_cast<uint32_t>(-100));
    Put32(b, 28, 50);
    Put32(b, 32, 2440);
    Put32(b, 36, 1320);
    Put32(b, 40, kEmfSignature);
    Put32(b, 44, 0x10000);
    Put32(b, 52, 3);
    Put32(b, 72, 1024);
    Put32(b, 76, 768);
    Put32(b, 80, 320);
    Put32(b, 84, 240);
    for (uint32_t v : {17u, 12u, 1u}) Append32(b, v);  // SETMAPMODE
    for (uint32_t v : {14u, 20u, 0u, 16u, 20u}) Append32(b, v);
    Put32(b, 48, static_cast<uint32_t>(b.size()));
    return b;
}

Bytes MakePlaceable(int16_t left, int16_t top, int16_t right, int16_t bottom, uint16_t upi) {
    Bytes b(22, 0);
    Put32(b, 0, kPlaceableKey);
    Put16(b, 6, static_cast<uint16_t>(left));
    Put16(b, 8, static_cast<uint16_t>(top));
    Put16(b, 10, static_cast<uint16_t>(right));
    Put16(b, 12, static_cast<uint16_t>(bottom));
    Put16(b, 14, upi);
    uint16_t sum = 0;
    for (size_t i = 0; i < 20; i += 2) sum ^= static_cast<uint16_t>(b[i] | (b[i + 1] << 8));
    Put16(b, 20, sum);
    return b;
}

void AppendRecord(Bytes& b, uint32_t words, uint16_t function) {
    size_t at = b.size();
    b.resize(at + std::max<size_t>(words * 2, 6), 0);
    Put32(b, at, words);
    Put16(b, at + 4, function);
}

// METAHEADER, a SetMapMode record of 4 words, the end record.
Bytes MakeWmfRecords() {
    Bytes b(18, 0);
    Put16(b, 0, 1);
    Put16(b, 2, 9);
    Put16(b, 4, 0x300);
    Put32(b, 6, (18 + 8 + 6) / 2);
    Put32(b, 12, 4);
    AppendRecord(b, 4, 0x103);
    AppendRecord(b, 3, 0);
    return b;
}

Bytes MakeWmf(uint16_t upi = 1440) {
    Bytes b = MakePlaceable(0, 0, 1440, 720, upi);
    Bytes r = MakeWmfRecords();
    b.insert(b.end(), r.begin(), r.end());
    return b;
}

Wmf ReadBytes(const Bytes& b) { return ReadWmf(b.data(), b.size()); }
EmfHeader ReadEmfBytes(const Bytes& b) { return ReadEmf(b.data(), b.size()).header; }

}  // namespace

TEST_CASE("MulDiv rounds halves away from zero") {
    CHECK(MulDiv(5, 1, 2) == 3);
    CHECK(MulDiv(-5, 1, 2) == -3);
    CHECK(MulDiv(5, -1, 2) == -3);
    CHECK(MulDiv(5, 1, -2) == -3);
    CHECK(MulDiv(-5, -1, -2) == -3);
    CHECK(MulDiv(-5, 1, -2) == 3);
    CHECK(MulDiv(7, 1, 3) == 2);
    CHECK(MulDiv(-8, 1, 3) == -3);
    CHECK(MulDiv(1440, 2540, 1440) == 2540);
    SUBCASE("64-bit product") {
        CHECK(MulDiv(INT_MAX, INT_MAX, INT_MAX) == INT_MAX);
        CHECK(MulDiv(INT_MIN, INT_MIN, INT_MIN) == INT_MIN);
        CHECK(MulDiv(2000000000, 3, 4) == 1500000000);
    }
    SUBCASE("no quotient gives -1") {
        CHECK(MulDiv(10, 10, 0) == -1);
        CHECK(MulDiv(INT_MAX, 2, 1) == -1);
        CHECK(MulDiv(INT_MIN, -1, 1) == -1);
    }
}

TEST_CASE("EMF recognition") {
    Bytes emf = MakeEmf();
    CHECK(IsEmf(emf.data(), emf.size()));
    CHECK_FALSE(IsEmf(emf.data(), 100));
    Bytes other = emf;
    Put32(other, 0, 2);
    CHECK_FALSE(IsEmf(other.data(), other.size()));
    other = emf;
    other[40] = 'X';
    CHECK_FALSE(IsEmf(other.data(), other.size()));
    Bytes wmf = MakeWmf();
    CHECK_FALSE(IsEmf(wmf.data(), wmf.size()));
}

TEST_CASE("EMF header and size") {
    Bytes emf = MakeEmf();
    EmfHeader h = ReadEmfBytes(emf);
    CHECK(h.frameLeft == -100);
    CHECK(h.frameBottom == 1320);
    CHECK(h.totalSize == emf.size());
    CHECK(h.logicalWidth == 2540);
    CHECK(h.logicalHeight == 1270);
    CHECK(h.devicePixelsX == 1024);
    CHECK(h.deviceMillimetresY == 240);
    // 2540 * 1024 / 32000 = 81.28; 1270 * 768 / 24000 = 40.64
    CHECK(EmfPixels(h.logicalWidth, h.devicePixelsX, h.deviceMillimetresX) == 81);
    CHECK(EmfPixels(h.logicalHeight, h.devicePixelsY, h.deviceMillimetresY) == 41);
    CHECK(EmfPixels(2540, 1024, 0) == -1);
    CHECK(EmfPixels(INT_MAX, INT_MAX, INT_MAX) == INT_MAX / 100);  // mm * 100 needs 64 bits

    Bytes trailing = emf;
    trailing.resize(emf.size() + 6, 0xEE);  // bytes after the total size are not read
    CHECK(ReadEmfBytes(trailing).totalSize == emf.size());
}

TEST_CASE("EMF refusals") {
    Bytes emf = MakeEmf();
    auto refused = [](const Bytes& b) { CHECK_THROWS_AS(ReadEmfBytes(b), codec::InvalidData); };
    auto with = [&](size_t at, uint32_t v) { Bytes b = emf; Put32(b, at, v); return b; };

    CHECK_THROWS_AS(ReadEmf(emf.data(), 99), codec::ShortRead);
    refused(with(40, 0x464D4521));
    refused(with(48, 99));                                          // total below the header
    refused(with(48, static_cast<uint32_t>(emf.size() + 4)));       // above the bytes present
    refused(with(48, static_cast<uint32_t>(emf.size() - 2)));       // end record cut
    refused(with(4, 0));                                            // would never advance
    refused(with(4, 4));
    Bytes unaligned = emf;                                          // last record 22 bytes
    unaligned.resize(emf.size() + 2, 0);
    Put32(unaligned, 48, static_cast<uint32_t>(unaligned.size()));
    Put32(unaligned, 108 + 12 + 4, 22);
    refused(unaligned);
    refused(with(108 + 4, 0xFFFFFFFC));                             // past the total
    refused(with(108 + 12 + 4, 24));
    refused(with(24, 0x80000000u));                                 // frame width overflows
    Bytes gap = emf;                                                // 4 bytes that hold no record
    gap.resize(emf.size() + 4, 0);
    Put32(gap, 48, static_cast<uint32_t>(gap.size()));
    refused(gap);
}

TEST_CASE("placeable WMF header and logical size") {
    Bytes wmf = MakeWmf();
    Wmf w = ReadBytes(wmf);
    CHECK(w.header.right == 1440);
    CHECK(w.header.unitsPerInch == 1440);
    CHECK(w.logicalWidth == 2540);
    CHECK(w.logicalHeight == 1270);
    CHECK(WmfPixels(w.logicalWidth, 96) == 96);  // the 1440-unit inch on a 96 dpi screen
    CHECK(WmfPixels(w.logicalHeight, 96) == 48);
    CHECK(w.playable == Bytes(wmf.begin() + 22, wmf.end()));

    Bytes zero = MakeWmf(0);  // sized as 96 units per inch
    Wmf z = ReadBytes(zero);
    CHECK(z.header.unitsPerInch == 0);
    CHECK(z.logicalWidth == MulDiv(1440, 2540, 96));
    CHECK(LogicalExtent(96, 0) == 2540);

    Bytes shifted = MakePlaceable(-100, -50, 44, 22, 96);
    Bytes r = MakeWmfRecords();
    shifted.insert(shifted.end(), r.begin(), r.end());
    CHECK(ReadBytes(shifted).logicalWidth == MulDiv(144, 2540, 96));
    CHECK(ReadBytes(shifted).logicalHeight == MulDiv(72, 2540, 96));
}

TEST_CASE("placeable header refusals") {
    Bytes wmf = MakeWmf();
    CHECK_THROWS_AS(ReadWmf(wmf.data(), 21), codec::ShortRead);
    Bytes plain = MakeWmfRecords();  // a Windows metafile without the placeable header
    plain.resize(plain.size() + 22, 0);
    CHECK_THROWS_AS(ReadBytes(plain), codec::InvalidData);
    Bytes badSum = wmf;
    badSum[20] ^= 1;
    CHECK_THROWS_AS(ReadBytes(badSum), codec::InvalidData);
    Bytes ignored = wmf;
    ignored[4] = 0x55;  // the handle is covered by the checksum
    CHECK_THROWS_AS(ReadBytes(ignored), codec::InvalidData);
    CHECK(PlaceableChecksum(wmf.data()) == (wmf[20] | (wmf[21] << 8)));
}

TEST_CASE("WMF record walk") {
    Bytes r = MakeWmfRecords();
    auto walk = [](const Bytes& b) {
        Mending mending;
        return MendWmfRecords(b.data(), b.size(), mending).size();
    };
    auto refused = [&](const Bytes& b) { CHECK_THROWS_AS(walk(b), codec::InvalidData); };
    auto with32 = [&](size_t at, uint32_t v) { Bytes b = r; Put32(b, at, v); return b; };

    CHECK(walk(r) == r.size());
    Bytes padded = r;
    padded.resize(r.size() + 10, 0);
    CHECK(walk(padded) == r.size());  // only the bytes through the end record go on

    refused(Bytes(r.begin(), r.begin() + 17));
    refused(Bytes(r.begin(), r.end() - 1));       // end record cut
    refused(Bytes(r.begin(), r.begin() + 26));    // no end record
    refused(with32(18, 0));                       // would never advance
    refused(with32(18, 2));
    refused(with32(18, 1000));                    // past the data
    refused(with32(18, 0xFFFFFFFF));
    Bytes longEnd = r;                            // end function with a wrong size
    longEnd.resize(r.size() + 2, 0);
    Put32(longEnd, 26, 4);
    refused(longEnd);
    Bytes header = r;
    Put16(header, 2, 12);                         // the system would start elsewhere
    refused(header);
}

TEST_CASE("placeable header writer") {
    auto round = [](int32_t w, int32_t h, uint16_t upi) {
        auto bytes = WritePlaceable(w, h, upi);
        return ReadPlaceable(bytes.data(), bytes.size());
    };
    PlaceableHeader h = round(2540, 1270, 1440);
    CHECK(h.left == 0);
    CHECK(h.top == 0);
    CHECK(h.right == 1440);
    CHECK(h.bottom == 720);
    CHECK(h.unitsPerInch == 1440);

    PlaceableHeader d = round(2540, 1270, 0);
    CHECK(d.unitsPerInch == 96);
    CHECK(d.right == 96);
    CHECK(d.bottom == 48);

    // Written from a read file: same box, units and checksum.
    Bytes wmf = MakeWmf();
    Wmf w = ReadBytes(wmf);
    auto again = WritePlaceable(w.logicalWidth, w.logicalHeight, w.header.unitsPerInch);
    CHECK(Bytes(again.begin(), again.end()) == Bytes(wmf.begin(), wmf.begin() + 22));

    CHECK(round(-2540, 13, 96).right == -96);
    CHECK(round(13, 0, 96).right == 0);           // 0.49 rounds down
    CHECK(round(2540 * 400, 1, 96).right == 32767);  // past 16 bits: the largest box
    CHECK(round(INT_MIN, 1, 65535).right == -32768);
}
