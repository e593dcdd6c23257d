// The records of both metafile formats in the copy handed to the system:
// what the player would read past a record or its object table is mended
// or left out, and ordinary records pass as they are. Each case was found
// by the hostile-file or whole-program mutation runs.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "picture/codec/errors.h"
#include "picture/codec/little_endian.h"
#include "picture/codec/metafile.h"
#include "picture/codec/packed_dib.h"
#include "testing.h"

using namespace codec::metafile;
using Bytes = std::vector<uint8_t>;

namespace {

using codec::le::Append32;
using codec::le::Put16;
using codec::le::Put32;

// A record of `type` with the parameter words given; its size is counted.
Bytes EmfRecord(uint32_t type, std::initializer_list<uint32_t> params) {
    Bytes r;
    Append32(r, {type, uint32_t(8 + 4 * params.size())});
    Append32(r, params);
    return r;
}

// Header (with `handles` object slots), the records, the end record.
Bytes EmfFile(const std::vector<Bytes>& records, uint16_t handles = 4, uint32_t palette = 0) {
    Bytes b(108, 0);
    Put32(b, 0, 1);
    Put32(b, 4, 108);
    Put32(b, 32, 2540);
    Put32(b, 36, 1270);
    Put32(b, 40, kEmfSignature);
    Put16(b, 56, handles);
    Put32(b, 68, palette);
    Put32(b, 72, 1024);
    Put32(b, 76, 768);
    Put32(b, 80, 320);
    Put32(b, 84, 240);
    for (const Bytes& r : records) b.insert(b.end(), r.begin(), r.end());
    Append32(b, {14, 20, 0, 16, 20});
    Put32(b, 48, uint32_t(b.size()));
    return b;
}

// What becomes of the records: all "kept" as they are, some "mended", some
// "dropped" (or given a stand-in), or the whole file "refused".
std::string Fate(const Mending& m) { return m.dropped ? "dropped" : m.mended ? "mended" : "kept"; }

std::string EmfFate(const Bytes& b) {
    try {
        return Fate(ReadEmf(b.data(), b.size()).mending);
    } catch (const codec::InvalidData&) {
        return "refused";
    }
}

// A 2 x 2 DIB of `bits` per pixel with `bitBytes` bytes of pixels.
Bytes Dib(uint16_t bits, size_t bitBytes) {
    Bytes d(40 + bitBytes, 0);
    Put32(d, 0, 40);
    Put32(d, 4, 2);
    Put32(d, 8, 2);
    Put16(d, 12, 1);
    Put16(d, 14, bits);
    return d;
}

// EMR_STRETCHDIBITS drawing `dib` (a 40-byte header, then its bits).
Bytes StretchDibits(const Bytes& dib) {
    Bytes r = EmfRecord(81, {0, 0, 10, 10, 0, 0, 0, 0, 2, 2, 80, 40, 120, uint32_t(dib.size() - 40), 0, 0xCC0020, 8,
                             8});
    r.insert(r.end(), dib.begin(), dib.end());
    Put32(r, 4, uint32_t(r.size()));
    return r;
}

// A Windows metafile record: size in words, function, parameter words.
Bytes WmfRecord(uint16_t function, std::initializer_list<uint16_t> params) {
    Bytes r(6 + 2 * params.size(), 0);
    Put32(r, 0, uint32_t(r.size() / 2));
    Put16(r, 4, function);
    size_t at = 6;
    for (uint16_t p : params) {
        Put16(r, at, p);
        at += 2;
    }
    return r;
}

// Placeable header, metafile header with `objects` slots, the records, the end record.
Bytes WmfFile(const std::vector<Bytes>& records, uint16_t objects = 2) {
    auto head = WritePlaceable(2540, 1270, 1440);
    Bytes b(head.begin(), head.end());
    Bytes header(18, 0);
    Put16(header, 0, 1);
    Put16(header, 2, 9);
    Put16(header, 4, 0x300);
    Put16(header, 10, objects);
    b.insert(b.end(), header.begin(), header.end());
    for (const Bytes& r : records) b.insert(b.end(), r.begin(), r.end());
    const Bytes end = WmfRecord(0, {});
    b.insert(b.end(), end.begin(), end.end());
    Put32(b, 22 + 6, uint32_t((b.size() - 22) / 2));
    return b;
}

std::string WmfFate(const Bytes& b) {
    try {
        return Fate(ReadWmf(b.data(), b.size()).mending);
    } catch (const codec::InvalidData&) {
        return "refused";
    }
}

// A "WMFC" comment escape carrying `emf` whole.
Bytes EmfComment(const Bytes& emf, uint32_t chunkSize) {
    Bytes data(34, 0);
    Put32(data, 0, 0x43464D57);
    Put32(data, 4, 1);
    Put32(data, 8, 0x10000);
    Put32(data, 18, 1);
    Put32(data, 22, chunkSize);
    Put32(data, 30, uint32_t(emf.size()));
    data.insert(data.end(), emf.begin(), emf.end());
    if (data.size() % 2) data.push_back(0);
    Bytes r(10, 0);
    Put16(r, 4, 0x0626);
    Put16(r, 6, 0x000F);
    Put16(r, 8, uint16_t(34 + emf.size()));
    r.insert(r.end(), data.begin(), data.end());
    Put32(r, 0, uint32_t(r.size() / 2));
    return r;
}

}  // namespace

TEST_CASE("EMF records: object numbers stay inside the header's handle table") {
    const Bytes brush = EmfRecord(39, {1, 0, 0x0000FF, 0});
    CHECK(EmfFate(EmfFile({brush, EmfRecord(37, {1}), EmfRecord(40, {1})})) == "kept");
    CHECK(EmfFate(EmfFile({EmfRecord(37, {0x80000000u | 5})})) == "kept");  // a stock object
    // No handle table at all, as a damaged header says: the player would write past it.
    CHECK(EmfFate(EmfFile({brush}, 0)) == "dropped");
    CHECK(EmfFate(EmfFile({EmfRecord(37, {0x10000})})) == "dropped");
    CHECK(EmfFate(EmfFile({EmfRecord(40, {0x80000000u | 5})})) == "dropped");  // stock objects are not deleted
    CHECK(EmfFate(EmfFile({EmfRecord(100, {0x80000000u})})) == "dropped");     // nor stock colour spaces set
    CHECK(EmfFate(EmfFile({EmfRecord(71, {0, 0, 0, 0, 32, 9, 32, 1, 0, 0, 0, 0, 0, 0, 0})})) == "dropped");
}

TEST_CASE("EMF records: counts, strings and regions inside their record") {
    // POLYLINE16 of two points, then claiming 0xFFFF.
    CHECK(EmfFate(EmfFile({EmfRecord(87, {0, 0, 9, 9, 2, 0x00010001, 0x00090009})})) == "kept");
    CHECK(EmfFate(EmfFile({EmfRecord(87, {0, 0, 9, 9, 0xFFFF, 0x00010001, 0x00090009})})) == "dropped");
    // POLYPOLYGON16 whose polygon counts need more points than it has.
    CHECK(EmfFate(EmfFile({EmfRecord(91, {0, 0, 9, 9, 1, 2, 3, 0x00010001, 0x00090009})})) == "dropped");
    // EXTTEXTOUTW: "A" with its spacing, then the character count raised.
    auto text = [](uint32_t chars) {
        return EmfRecord(84, {0, 0, 9, 9, 1, 0, 0, 0, 0, chars, 76, 0, 0, 0, 0, 0, 80, 0x41, 8});
    };
    CHECK(EmfFate(EmfFile({text(1)})) == "kept");
    CHECK(EmfFate(EmfFile({text(100)})) == "dropped");
    // FILLRGN: one rectangle, then a region header that counts 1000.
    auto region = [](uint32_t rectangles) {
        return EmfRecord(71, {0, 0, 9, 9, 48, 1, 32, 1, rectangles, 16, 0, 0, 9, 9, 0, 0, 9, 9});
    };
    CHECK(EmfFate(EmfFile({region(1)})) == "kept");
    CHECK(EmfFate(EmfFile({region(1000)})) == "dropped");
    // GRADIENTFILL: two vertices, a rectangle naming vertex 7.
    const Bytes gradient = EmfRecord(118, {0, 0, 9, 9, 2, 1, 0, 0, 0, 0, 0, 9, 9, 0, 0, 0, 7});
    CHECK(EmfFate(EmfFile({gradient})) == "dropped");
}

TEST_CASE("EMF records: bitmaps hold the rows their header describes") {
    CHECK(EmfFate(EmfFile({StretchDibits(Dib(32, 16))})) == "kept");
    CHECK(EmfFate(EmfFile({StretchDibits(Dib(32, 8))})) == "dropped");
    CHECK(EmfFate(EmfFile({StretchDibits(Dib(7, 16))})) == "dropped");
    // An image size past the bits: the system copies that many when converting.
    Bytes declared = Dib(32, 16);
    Put32(declared, 20, 0x20000010);
    CHECK(EmfFate(EmfFile({StretchDibits(declared)})) == "dropped");
    Put32(declared, 20, 16);
    CHECK(EmfFate(EmfFile({StretchDibits(declared)})) == "kept");
    // A width whose rows overflow 64 bits when multiplied out.
    Bytes wide = Dib(32, 16);
    Put32(wide, 4, 0x7FFFFFFF);
    Put32(wide, 8, 0x7FFFFFFF);
    CHECK(EmfFate(EmfFile({StretchDibits(wide)})) == "dropped");
    CHECK_THROWS_AS(codec::dib::Check(wide.data(), 40, 16, codec::dib::kRgbColours), codec::InvalidData);
}

TEST_CASE("EMF records: fixed parts, types, the header and the palette") {
    CHECK(EmfFate(EmfFile({EmfRecord(42, {0, 0})})) == "dropped");    // an ELLIPSE without its box
    // RESTOREDC: the player takes abs() of the level.
    CHECK(EmfFate(EmfFile({EmfRecord(33, {}), EmfRecord(34, {uint32_t(-1)})})) == "kept");
    CHECK(EmfFate(EmfFile({EmfRecord(34, {0x80000000u})})) == "dropped");
    // Types the player does not know, and a palette the end record does not
    // hold, are skipped by the player.
    CHECK(EmfFate(EmfFile({EmfRecord(69, {0})})) == "kept");
    CHECK(EmfFate(EmfFile({EmfRecord(200, {0})})) == "kept");
    CHECK(EmfFate(EmfFile({}, 4, 2)) == "kept");
    const Bytes plain = EmfFile({});
    CHECK(EmfFate(EmfFile({Bytes(plain.begin(), plain.begin() + 108)})) == "dropped");  // a second header
    // Palette entries past the end record.
    CHECK(EmfFate(EmfFile({EmfRecord(14, {4, 16, 20})})) == "mended");
}

TEST_CASE("WMF records: parameters and object numbers") {
    const Bytes polyline = WmfRecord(0x0325, {2, 1, 1, 9, 9});
    CHECK(WmfFate(WmfFile({polyline})) == "kept");
    CHECK(WmfFate(WmfFile({WmfRecord(0x0325, {0xFFFF, 1, 1, 9, 9})})) == "dropped");
    CHECK(WmfFate(WmfFile({WmfRecord(0x0538, {2, 2, 9, 1, 1, 9, 9})})) == "dropped");  // POLYPOLYGON
    CHECK(WmfFate(WmfFile({WmfRecord(0x0418, {1, 2})})) == "dropped");               // ELLIPSE of two words
    CHECK(WmfFate(WmfFile({WmfRecord(0x012D, {1}), WmfRecord(0x01F0, {1})})) == "kept");
    CHECK(WmfFate(WmfFile({WmfRecord(0x012D, {2})})) == "dropped");
    CHECK(WmfFate(WmfFile({WmfRecord(0x01F0, {0xFFFF})})) == "dropped");
    CHECK(WmfFate(WmfFile({WmfRecord(0x0228, {0, 5})})) == "dropped");  // FILLREGION's brush
    // CREATEREGION: the player stops at a scan that runs past the record.
    CHECK(WmfFate(WmfFile({WmfRecord(0x06FF, {0, 6, 0, 0, 30, 1, 2, 0, 0, 9, 9, 40, 0, 9, 0, 9})})) == "kept");
    CHECK(WmfFate(WmfFile({WmfRecord(0x06FF, {0, 6, 0, 0, 30, 1, 2, 0, 0, 9, 9, 2, 0, 9, 0, 9, 2})})) == "kept");
    CHECK(WmfFate(WmfFile({WmfRecord(0x06FF, {0, 6, 0, 0, 30})})) == "dropped");
}

TEST_CASE("WMF records: a STRETCHDIB without its bits is refused") {
    auto stretch = [](size_t bitBytes) {
        Bytes r = WmfRecord(0x0F43, {0x20, 0xCC, 0, 2, 2, 0, 0, 8, 8, 0, 0});
        const Bytes dib = Dib(32, bitBytes);
        r.insert(r.end(), dib.begin(), dib.end());
        Put32(r, 0, uint32_t(r.size() / 2));
        return r;
    };
    CHECK(WmfFate(WmfFile({stretch(16)})) == "kept");
    CHECK(WmfFate(WmfFile({stretch(0)})) == "dropped");
}

// The first chunk's checksum word makes the metafile's words sum to 0, as the system's writer does.
Bytes Summed(Bytes wmf) {
    uint16_t sum = 0;
    for (size_t at = 22; at + 1 < wmf.size(); at += 2) sum = uint16_t(sum + (wmf[at] | wmf[at + 1] << 8));
    const size_t checksum = 22 + 18 + 10 + 12;
    Put16(wmf, checksum, uint16_t((wmf[checksum] | wmf[checksum + 1] << 8) - sum));
    return wmf;
}

TEST_CASE("WMF records: an enhanced metafile carried the system's way is played from its copy") {
    const Bytes good = EmfFile({EmfRecord(37, {1})});
    const Bytes carrying = Summed(WmfFile({EmfComment(good, uint32_t(good.size()))}));
    const Wmf w = ReadWmf(carrying.data(), carrying.size());
    CHECK(w.carried == good);
    CHECK(w.playable.size() == 18 + 6);  // the records converted otherwise, without the chunks
    // The copy's records are mended as a file's are.
    const Bytes bad = Summed(WmfFile({EmfComment(EmfFile({EmfRecord(37, {0x10000})}), uint32_t(good.size()))}));
    CHECK(WmfFate(bad) == "dropped");
    CHECK(ReadWmf(bad.data(), bad.size()).carried.size() == good.size() - 12);
    // Not carried the system's way: words that do not sum to 0, chunks that do not add up.
    Bytes unsummed = carrying;
    unsummed[22 + 18 + 10 + 12] ^= 1;
    CHECK(ReadWmf(unsummed.data(), unsummed.size()).carried.empty());
    for (uint32_t chunk : {uint32_t(good.size() - 8), uint32_t(good.size() + 8)}) {
        const Bytes broken = Summed(WmfFile({EmfComment(good, chunk)}));
        const Wmf converted = ReadWmf(broken.data(), broken.size());
        CHECK(converted.carried.empty());
        CHECK(converted.playable.size() == 18 + 6);
    }
}

namespace {
// A bitmap header of `size` bytes (40 or more) for `bits` per pixel, then `tail` bytes.
Bytes Header(uint16_t bits, uint32_t used, size_t tail, uint32_t compression = 0, int32_t side = 2) {
    Bytes d(40 + tail, 0);
    Put32(d, 0, 40);
    Put32(d, 4, uint32_t(side));
    Put32(d, 8, uint32_t(side));
    Put16(d, 12, 1);
    Put16(d, 14, bits);
    Put32(d, 16, compression);
    Put32(d, 32, used);
    return d;
}

// A record of `type` whose bitmap fields at `fields` describe `info` (cbBmi bytes) and `bits` after it.
Bytes WithBitmap(uint32_t type, size_t fixed, size_t fields, const Bytes& info, uint32_t cbBmi, size_t bits,
                 uint32_t cbBits) {
    Bytes r(fixed, 0);
    Put32(r, 0, type);
    Put32(r, fields, uint32_t(fixed));
    Put32(r, fields + 4, cbBmi);
    Put32(r, fields + 8, uint32_t(fixed + info.size()));
    Put32(r, fields + 12, cbBits);
    r.insert(r.end(), info.begin(), info.end());
    r.resize(r.size() + bits, 0);
    Put32(r, 4, uint32_t(r.size()));
    return r;
}

Bytes Stretch(const Bytes& info, uint32_t cbBmi, size_t bits) { return WithBitmap(81, 80, 48, info, cbBmi, bits, uint32_t(bits)); }
}  // namespace

// What other writers put in records, and what the player (or the system's
// converter, which records bitmaps again) would read outside them.
TEST_CASE("metafile records: other writers' forms pass, reads outside the record do not") {
    struct Case {
        const char* name;
        Bytes file;
        const char* fate;
    };
    Bytes described = EmfFile({});
    Put32(described, 60, 10);
    Put32(described, 64, 0x7FFFFFF0);  // a description elsewhere: the player never reads it
    const Bytes pen = EmfRecord(95, {1, 56, 0, 56, 0, 0x10000, 6, 0, 0xFF, 0, 0, 0});
    Bytes stated = pen;
    Put32(stated, 16, 40);  // a pattern bitmap stated, but its header is not there
    Bytes mono = WithBitmap(93, 32, 16, Header(1, 0, 0), 40, 8, 8);
    Put32(mono, 12, 2);  // the recorder's own monochrome brush: bits without colours
    Bytes alpha = WithBitmap(114, 108, 84, Header(32, 0, 0), 40, 16, 16);
    Bytes alphaLong = WithBitmap(114, 108, 84, Header(32, 0, 0), 40, 32, 32);
    Bytes alphaRle = WithBitmap(114, 108, 84, Header(8, 0, 1024, 1), 1064, 8, 8);
    Put32(alphaRle, 108 + 20, 8);
    Bytes clip = EmfRecord(75, {0, 5, 32, 1, 100, 0, 0, 0, 0, 0, 0});  // no region stated, but one in the record
    Bytes ansi = EmfRecord(83, {0, 0, 9, 9, 1, 0, 0, 0, 0, 2, 76, 0, 0, 0, 0, 0, 0, 0x4241});
    Bytes ansiSpaced = ansi;
    Put32(ansiSpaced, 72, 76);  // spacing stated, but only the string is there
    const Bytes bitmap16 = {0, 0, 16, 0, 16, 0, 2, 0, 1, 1};
    Bytes blit = WmfRecord(0x0922, {0x20, 0xCC, 0, 0, 16, 16, 10, 10});
    blit.insert(blit.end(), bitmap16.begin(), bitmap16.end());
    blit.resize(blit.size() + 32, 0xF0);
    Put32(blit, 0, uint32_t(blit.size() / 2));
    const Bytes wineBlit = WmfRecord(0x0922, {0x20, 0xCC, 0, 0, 0, 0, 0, 64, 64, 0, 1, 1, 0});
    Bytes face = WmfRecord(0x02FB, {0xFFE4, 0, 0, 0, 400, 0, 0, 0, 0, 0x6154, 0x6F68, 0x616D});
    const Bytes filler = WmfRecord(0x0418, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    Bytes core8(12 + 3 * 256 + 8, 0);
    Put32(core8, 0, 12);
    Put16(core8, 4, 2);
    Put16(core8, 6, 2);
    Put16(core8, 8, 1);
    Put16(core8, 10, 8);
    Bytes stretchCore = WmfRecord(0x0F43, {0x20, 0xCC, 0, 2, 2, 0, 0, 8, 8, 0, 0});
    stretchCore.insert(stretchCore.end(), core8.begin(), core8.end());
    Put32(stretchCore, 0, uint32_t(stretchCore.size() / 2));
    Bytes oddIndices = WmfRecord(0x0F43, {0x20, 0xCC, 1, 2, 2, 0, 0, 8, 8, 0, 0});
    const Bytes indexed = Header(4, 3, 6 + 8 + 2);
    oddIndices.insert(oddIndices.end(), indexed.begin(), indexed.end());
    Put32(oddIndices, 0, uint32_t(oddIndices.size() / 2));
    // SETDIBTODEV of 2 scans of a top-down bitmap 4 rows high, holding only the 2.
    Bytes topDown = WmfRecord(0x0D33, {0, 2, 0, 0, 0, 2, 4, 0, 0});
    Bytes tall = Header(32, 0, 2 * 16, 0, 4);
    Put32(tall, 8, uint32_t(-4));
    topDown.insert(topDown.end(), tall.begin(), tall.end());
    Put32(topDown, 0, uint32_t(topDown.size() / 2));
    const Case cases[] = {
        {"WMF: scans of a top-down bitmap the converter copies whole", WmfFile({topDown}), "dropped"},
        {"EMF: a description out of place", described, "kept"},
        {"EMF: a pixel format, which the window drawn into would keep", EmfFile({EmfRecord(104, {0x10028, 0x24, 0, 0, 0, 0, 0, 0, 0, 0})}), "dropped"},
        {"EMF: unknown record types", EmfFile({EmfRecord(300, {1, 2})}), "kept"},
        {"EMF: a pen whose bitmap offset is set with no bitmap", EmfFile({pen}), "kept"},
        {"EMF: a pen's stated bitmap missing", EmfFile({stated}), "dropped"},
        {"EMF: a short colour table the header counts", EmfFile({Stretch(Header(8, 4, 16), 56, 8)}), "kept"},
        {"EMF: a true-colour bitmap counting colours it has not", EmfFile({Stretch(Header(24, 256, 0, 0, 32), 40, 3072)}), "kept"},
        {"EMF: bit fields after a 40-byte header", EmfFile({Stretch(Header(16, 0, 12, 3), 52, 8)}), "kept"},
        {"EMF: a colour count the converter would copy past the record", EmfFile({Stretch(Header(1, 256, 8), 48, 8)}), "mended"},
        {"EMF: a monochrome brush's bits alone", EmfFile({mono}), "kept"},
        {"EMF: ANSI text without spacing", EmfFile({ansi}), "kept"},
        {"EMF: ANSI text whose spacing is not there", EmfFile({ansiSpaced}), "dropped"},
        {"EMF: an alpha blend copying its bits", EmfFile({alpha}), "kept"},
        {"EMF: an alpha blend copying more bits than the section", EmfFile({alphaLong}), "dropped"},
        {"EMF: an alpha blend of run-length bits", EmfFile({alphaRle}), "dropped"},
        {"EMF: a clip region the record holds but does not state", EmfFile({clip}), "dropped"},
        {"WMF: a bit blit with its 16-bit bitmap", WmfFile({blit}), "kept"},
        {"WMF: a bit blit whose bits the player reads past it", WmfFile({wineBlit}), "dropped"},
        {"WMF: a face name without its zero", WmfFile({face, filler}), "mended"},
        {"WMF: a face name the player reads past the metafile", WmfFile({face}), "mended"},
        {"WMF: a palette selected by a number the player reads from the next word", WmfFile({WmfRecord(0x0234, {1, 0x2000})}), "mended"},
        {"WMF: a core-header bitmap the converter's colours overrun", WmfFile({stretchCore}), "dropped"},
        {"WMF: an odd count of palette indices the converter records out of words", WmfFile({oddIndices}), "dropped"},
    };
    for (const Case& c : cases) {
        INFO(std::string(c.name));
        CHECK((c.file[0] == 1 ? EmfFate(c.file) : WmfFate(c.file)) == c.fate);
    }
}
