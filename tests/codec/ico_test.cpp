#include <algorithm>
#include <cstdint>
#include <vector>

#include "picture/codec/errors.h"
#include "picture/codec/ico.h"
#include "picture/codec/little_endian.h"
#include "testing.h"

using namespace codec::ico;
using Bytes = std::vector<uint8_t>;

namespace {

using codec::le::Put16;
using codec::le::Put32;

uint32_t Get32(const Bytes& b, size_t at) {
    return uint32_t{b[at]} | (uint32_t{b[at + 1]} << 8) | (uint32_t{b[at + 2]} << 16) | (uint32_t{b[at + 3]} << 24);
}

size_t Stride(uint32_t w, uint32_t bits) { return (size_t{w} * bits + 31) / 32 * 4; }

size_t TableBytes(uint32_t bits) { return bits <= 8 ? (size_t{1} << bits) * 4 : 0; }

// One stored image: header with doubled height, table, colour bits, mask bits; every byte distinct-ish.
Bytes MakeImage(uint32_t w, uint32_t h, uint32_t bits) {
    size_t size = 40 + TableBytes(bits) + Stride(w, bits) * h + Stride(w, 1) * h;
    Bytes img(size);
    for (size_t i = 40; i < size; ++i) img[i] = static_cast<uint8_t>(i * 7 + bits);
    std::fill(img.begin(), img.begin() + 40, 0);
    Put32(img, 0, 40);
    Put32(img, 4, w);
    Put32(img, 8, 2 * h);
    Put16(img, 12, 1);
    Put16(img, 14, uint16_t(bits));
    Put32(img, 32, 7);  // a colour-used count the decoder must not pass on
    return img;
}

uint16_t ColourWord(uint32_t bits) { return bits == 1 ? 2 : bits == 4 ? 16 : 0; }

struct ImageRecipe {
    Bytes image;
    uint16_t colourWord;
};

Bytes MakeFile(const std::vector<ImageRecipe>& images, uint16_t type = 1) {
    Bytes file(6 + 16 * images.size(), 0);
    Put16(file, 2, type);
    Put16(file, 4, static_cast<uint16_t>(images.size()));
    for (size_t i = 0; i < images.size(); ++i) {
        size_t at = 6 + 16 * i;
        Put16(file, at + 2, images[i].colourWord);
        Put32(file, at + 8, static_cast<uint32_t>(images[i].image.size()));
        Put32(file, at + 12, static_cast<uint32_t>(file.size()));
        file.insert(file.end(), images[i].image.begin(), images[i].image.end());
    }
    return file;
}

ImageRecipe Plain(uint32_t size, uint32_t bits) { return {MakeImage(size, size, bits), ColourWord(bits)}; }

// A chunk as the checks see it: length, type, data, and a CRC they do not read.
Bytes Chunk(const char* type, Bytes data) {
    Bytes c = {0, 0, 0, uint8_t(data.size()), uint8_t(type[0]), uint8_t(type[1]), uint8_t(type[2]), uint8_t(type[3])};
    c.insert(c.end(), data.begin(), data.end());
    c.insert(c.end(), 4, 0xCC);
    return c;
}

// The signature, a header of 2 x height pixels, and the chunks.
Bytes Png(std::initializer_list<Bytes> chunks, uint16_t height = 3) {
    Bytes png = Chunk("IHDR", {0, 0, 0, 2, 0, 0, uint8_t(height >> 8), uint8_t(height), 8, 6, 0, 0, 0});
    png.insert(png.begin(), {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A});
    for (const Bytes& c : chunks) png.insert(png.end(), c.begin(), c.end());
    return png;
}

Image DecodeBytes(const Bytes& b, uint16_t colours) { return Decode(b.data(), b.size(), colours); }

// Decoding the only image of a file built from one stored image.
Image DecodeOne(const Bytes& image) { return DecodeBytes(MakeFile({{image, 16}}), 16); }

std::vector<Entry> Words(std::initializer_list<uint16_t> words) {
    std::vector<Entry> entries;
    for (uint16_t w : words) entries.push_back({w, 0, 0, false});
    return entries;
}

}  // namespace

TEST_CASE("icon header check at load") {
    Bytes six = {0, 0, 1, 0, 0, 0};
    CHECK(CheckHeader(six.data(), 6).type == 1);
    CHECK_THROWS_AS(CheckHeader(six.data(), 5), codec::ShortRead);
    Bytes cursor = {0, 0, 2, 0, 1, 0};
    CHECK_THROWS_AS(CheckHeader(cursor.data(), 6), codec::InvalidData);
    Bytes odd = {0xFF, 0xFF, 0xFF, 0xFF, 0, 0};
    CHECK_THROWS_AS(CheckHeader(odd.data(), 6), codec::InvalidData);
}

TEST_CASE("display colour count") {
    CHECK(DisplayColours(1, 1) == 2);
    CHECK(DisplayColours(1, 4) == 16);
    CHECK(DisplayColours(4, 1) == 16);
    CHECK(DisplayColours(1, 8) == 256);
    CHECK(DisplayColours(1, 16) == 0);
    CHECK(DisplayColours(1, 24) == 0);
    CHECK(DisplayColours(3, 8) == 0);
    CHECK(DisplayColours(1, 32) == 1);
    CHECK(DisplayColours(0x8000, 2) == 1);  // the 16-bit product wraps to 0
}

TEST_CASE("entry choice") {
    SUBCASE("16-colour display takes the first exact match at once") {
        CHECK(ChooseEntry(Words({2, 16, 0, 16}), 16) == 1);
    }
    SUBCASE("256-colour display: the candidate rule, reference never raised") {
        CHECK(ChooseEntry(Words({16, 0, 0}), 256) == 0);
        CHECK(ChooseEntry(Words({0, 16, 2}), 256) == 2);
        CHECK(ChooseEntry(Words({300, 16, 0}), 256) == 1);
    }
    SUBCASE("true-colour displays") {
        CHECK(ChooseEntry(Words({16, 2, 0}), 0) == 2);          // 24 bits: count 0 matches
        CHECK(ChooseEntry(Words({16, 0, 2}), 1) == 2);          // 32 bits: count 1
        CHECK(ChooseEntry(Words({16, 0, 2, 1}), 1) == 3);
    }
    SUBCASE("nothing fits: the first entry") {
        CHECK(ChooseEntry(Words({16, 256}), 2) == 0);
    }
}

TEST_CASE("decoding a 16, 32 and 48 pixel icon") {
    ImageRecipe small = Plain(16, 1), middle = Plain(32, 4), large = Plain(48, 8);
    Bytes file = MakeFile({small, middle, large});

    std::vector<Entry> dir = ReadDirectory(file.data(), file.size());
    REQUIRE(dir.size() == 3);
    CHECK(dir[1].colourCount == 16);
    CHECK(dir[1].offset == 6 + 48 + small.image.size());
    CHECK(dir[2].size == large.image.size());

    Image img = DecodeBytes(file, 16);
    CHECK_FALSE(img.standardIcon);
    CHECK(img.width == 32);
    CHECK(img.height == 32);
    CHECK(img.bitCount == 4);
    const Bytes& src = middle.image;
    size_t info = 40 + 64, colour = Stride(32, 4) * 32, mask = Stride(32, 1) * 32;
    REQUIRE(img.colour.info.size() == info);
    CHECK(Get32(img.colour.info, 8) == 32);             // height halved
    CHECK(Get32(img.colour.info, 20) == colour);        // size of the colour bits
    CHECK(Get32(img.colour.info, 32) == 0);             // full table for the depth
    CHECK(Bytes(img.colour.info.begin() + 40, img.colour.info.end()) ==
          Bytes(src.begin() + 40, src.begin() + ptrdiff_t(info)));
    CHECK(img.colour.bits == Bytes(src.begin() + ptrdiff_t(info), src.begin() + ptrdiff_t(info + colour)));
    CHECK(img.mask.bits == Bytes(src.begin() + ptrdiff_t(info + colour), src.end()));
    REQUIRE(img.mask.info.size() == 48);
    CHECK(Get32(img.mask.info, 4) == 32);
    CHECK(Get32(img.mask.info, 8) == 32);
    CHECK(img.mask.info[14] == 1);
    CHECK(Get32(img.mask.info, 40) == 0);
    CHECK(Get32(img.mask.info, 44) == 0xFFFFFF);
    CHECK(img.mask.bits.size() == mask);

    CHECK(DecodeBytes(file, 2).bitCount == 1);
    CHECK(DecodeBytes(file, 0).bitCount == 8);  // 256-colour image has colour word 0
}

TEST_CASE("depths without a colour table and odd widths") {
    for (uint32_t bits : {16u, 24u, 32u}) {
        Image img = DecodeOne(MakeImage(5, 3, bits));
        CHECK(img.colour.info.size() == 40);
        CHECK(img.colour.bits.size() == Stride(5, bits) * 3);
        CHECK(img.mask.bits.size() == 4 * 3);
    }
    // An odd stored height: the colour part is its lower half.
    Bytes odd = MakeImage(8, 2, 1);
    Put32(odd, 8, 5);
    CHECK(DecodeOne(odd).height == 2);
}

TEST_CASE("type 0 is the standard application icon") {
    Bytes file = {0, 0, 0, 0, 0, 0};
    CHECK(DecodeBytes(file, 16).standardIcon);
    CHECK(WriteStandardIcon() == file);
    CHECK_THROWS_AS(DecodeBytes({0, 0, 2, 0, 1, 0}, 16), codec::InvalidData);
}

TEST_CASE("a PNG entry goes to the system with only the chunks that make its pixels") {
    const Bytes data = Chunk("IDAT", {1, 2, 3}), end = Chunk("IEND", {});
    Bytes file = MakeFile({{Png({Chunk("tEXt", {'a'}), data, Chunk("iCCP", {7}), end}), 0}, Plain(32, 4)});
    CHECK(DecodeBytes(file, 0).png == Png({data, end}));
    CHECK(DecodeBytes(file, 16).width == 32);  // the choice rule, unchanged
    Bytes cut = Png({data, data});             // cut in its last chunk: the end chunk is supplied
    cut.pop_back();
    const Bytes realEnd = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    CHECK(CheckPng(cut.data(), cut.size()).png == Png({data, realEnd}));
    for (const Bytes& refused : {Png({end}), Png({data, end}, 0), Png({data, end}, 4097)})
        CHECK_THROWS_AS(CheckPng(refused.data(), refused.size()), codec::InvalidData);
}

TEST_CASE("directory bounds") {
    Bytes file = MakeFile({Plain(16, 4)});
    SUBCASE("no images") {
        Put16(file, 4, 0);
        CHECK_THROWS_AS(DecodeBytes(file, 16), codec::InvalidData);
    }
    SUBCASE("more entries than the file holds") {
        Put16(file, 4, 40);
        CHECK_THROWS_AS(DecodeBytes(file, 16), codec::InvalidData);
    }
    SUBCASE("directory cut short") {
        Bytes cut(file.begin(), file.begin() + 20);
        CHECK_THROWS_AS(DecodeBytes(cut, 16), codec::InvalidData);
    }
    SUBCASE("image offset past the end") {
        Put32(file, 6 + 12, static_cast<uint32_t>(file.size()));
        CHECK_THROWS_AS(DecodeBytes(file, 16), codec::InvalidData);
    }
    SUBCASE("image size past the end") {
        Put32(file, 6 + 8, Get32(file, 6 + 8) + 1);
        CHECK_THROWS_AS(DecodeBytes(file, 16), codec::InvalidData);
    }
    SUBCASE("offset plus size wrapping 32 bits") {
        Put32(file, 6 + 8, 0xFFFFFFF0u);
        Put32(file, 6 + 12, 0x20);
        CHECK_THROWS_AS(DecodeBytes(file, 16), codec::InvalidData);
    }
}

TEST_CASE("image bounds") {
    Bytes good = MakeImage(16, 16, 4);
    REQUIRE(DecodeOne(good).width == 16);
    auto refused = [](Bytes img) { CHECK_THROWS_AS(DecodeOne(img), codec::InvalidData); };
    auto with32 = [&](size_t at, uint32_t v) { Bytes b = good; Put32(b, at, v); return b; };
    auto with16 = [&](size_t at, uint16_t v) { Bytes b = good; Put16(b, at, v); return b; };

    refused(Bytes(good.begin(), good.begin() + 39));  // header beyond the stated size
    refused(Bytes(good.begin(), good.end() - 1));     // mask beyond the stated size
    refused(Bytes(good.begin(), good.begin() + 40 + 64 + 8 * 16 - 1));  // colour bits likewise
    refused(with32(0, 12));
    refused(with32(0, 64));
    refused(with32(4, 0));
    refused(with32(4, static_cast<uint32_t>(-16)));
    refused(with32(4, 0x7FFFFFFF));   // row length far beyond the image
    refused(with32(8, 0));
    refused(with32(8, 1));            // halves to 0
    refused(with32(8, 0x80000000u));  // INT32_MIN
    refused(with32(8, 0x7FFFFFFF));
    refused(with32(16, 3));           // bit fields: the system would read masks we never checked
    refused(with32(16, 2));
    for (int bits : {0, 2, 3, 5, 48, 0xFFFF}) refused(with16(14, uint16_t(bits)));
}

TEST_CASE("version 4 and 5 headers decode like the 40-byte one") {
    for (bool fourBits : {true, false}) {
        const Bytes plain = MakeImage(16, 16, fourBits ? 4 : 32);
        const Image expected = DecodeOne(plain);
        for (uint32_t header : {108u, 124u}) {
            CAPTURE(header);
            Bytes longer(plain.begin(), plain.begin() + 40);
            longer.resize(header, 0x77);  // masks, colour space and profile fields
            longer.insert(longer.end(), plain.begin() + 40, plain.end());
            Put32(longer, 0, header);
            const Image got = DecodeOne(longer);
            CHECK(got.colour.info == expected.colour.info);
            CHECK(got.colour.bits == expected.colour.bits);
            CHECK(got.mask.bits == expected.mask.bits);
            CHECK_THROWS_AS(DecodeOne(Bytes(longer.begin(), longer.end() - 1)), codec::InvalidData);
        }
    }
}

TEST_CASE("one-image icon writer") {
    Dib colour;
    colour.info.assign(40 + 64, 0);
    Put32(colour.info, 0, 40);
    Put32(colour.info, 4, 20);
    Put32(colour.info, 8, 12);
    Put16(colour.info, 12, 1);
    Put16(colour.info, 14, 4);
    for (size_t i = 40; i < colour.info.size(); ++i) colour.info[i] = static_cast<uint8_t>(i);
    colour.bits.assign(Stride(20, 4) * 12, 0x5A);
    Bytes mask(Stride(20, 1) * 12, 0xC3);

    Bytes file = WriteIcon(colour, mask);
    CHECK(Bytes(file.begin(), file.begin() + 6) == Bytes{0, 0, 1, 0, 1, 0});
    CHECK(file[6] == 20);
    CHECK(file[7] == 12);
    CHECK(file[8] == 4);  // planes x bits in the colour-count word
    CHECK(file[9] == 0);
    CHECK(Get32(file, 10) == 0);
    CHECK(Get32(file, 14) == 104 + colour.bits.size() + mask.size());
    CHECK(Get32(file, 18) == 22);
    CHECK(Get32(file, 22 + 8) == 24);  // height doubled
    CHECK(file.size() == 22 + 104 + colour.bits.size() + mask.size());

    Image back = DecodeBytes(file, 16);
    CHECK(back.width == 20);
    CHECK(back.height == 12);
    CHECK(back.colour.bits == colour.bits);
    CHECK(back.mask.bits == mask);
    CHECK(Bytes(back.colour.info.begin() + 40, back.colour.info.end()) ==
          Bytes(colour.info.begin() + 40, colour.info.end()));

    Dib eight = colour;
    Put16(eight.info, 14, 8);
    CHECK_THROWS_AS(WriteIcon(eight, mask), codec::InvalidData);
    Dib shortInfo = colour;
    shortInfo.info.resize(40);
    CHECK_THROWS_AS(WriteIcon(shortInfo, mask), codec::InvalidData);
    Dib tall = colour;
    Put32(tall.info, 8, 0x40000000);
    CHECK_THROWS_AS(WriteIcon(tall, mask), codec::InvalidData);
}
