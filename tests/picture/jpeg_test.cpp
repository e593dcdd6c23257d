// JPEG pictures: deferred decoding, the kept bytes, and the library's errors.
#include "testing.h"

#include <memory>
#include <string>
#include <vector>

#include "fixture.h"
#include "jpeg_testing.h"
#include "picture/bitmap.h"
#include "picture/clipboard.h"
#include "picture/codec/jpeg.h"
#include "picture/formats.h"
#include "picture/jpeg_image.h"
#include "picture/picture.h"
#include "picture_testing.h"
#include "platform/exceptions.h"
#include "platform/stream.h"

namespace {
std::unique_ptr<TJPEGImage> Loaded(const std::vector<uint8_t>& bytes) {
    auto jpeg = std::make_unique<TJPEGImage>();
    TMemoryStream stream(bytes);
    jpeg->LoadStream(stream);
    return jpeg;
}

// Within the lossy coder's error of the colour 0xRRGGBB.
bool Near(uint32_t pixel, uint32_t colour) {
    for (int shift : {0, 8, 16}) {
        const int d = int((pixel >> shift) & 0xFF) - int((colour >> shift) & 0xFF);
        if (d < -8 || d > 8) return false;
    }
    return true;
}

int LoadErrorCode(const std::vector<uint8_t>& bytes) {
    try {
        Loaded(bytes);
    } catch (const EJPEG& e) {
        CHECK(e.what() == Format("JPEG error #%d", e.Code()));
        return e.Code();
    }
    return 0;
}

// Accepts fewer bytes than it is given, as a full disk does.
class ShortStream : public TMemoryStream {
public:
    size_t Write(const void* buffer, size_t count) override { return TMemoryStream::Write(buffer, count / 2); }
};
}  // namespace

TEST_CASE("the JPEG kind claims jpeg and jpg, whatever their case") {
    TestApplication();
    const auto& entries = FileFormats().Entries();
    REQUIRE(entries.size() >= 2);
    CHECK(entries[entries.size() - 2].extension == u"jpeg");
    CHECK(entries.back().extension == u"jpg");
    CHECK(entries.back().description == "JPEG Image File");
    CHECK(FileFormats().FindByExtension(u"JPG") == &TJPEGImage::Class());
    CHECK(FileFormats().FindByExtension(u"Jpeg") == &TJPEGImage::Class());
}

TEST_CASE("loading reads the header only; the first drawing decodes once into a 24-bit bitmap") {
    TestApplication();
    auto jpeg = Loaded(BuildJpeg({640, 480, 0xFF0000, 0x0000FF}));
    CHECK(jpeg->Width() == 640);
    CHECK(jpeg->Height() == 480);
    CHECK_FALSE(jpeg->IsEmpty());
    CHECK_FALSE(jpeg->Grayscale());
    CHECK(jpeg->DecodedBitmap() == nullptr);

    const std::vector<uint32_t> pixels = Render(*jpeg, 640, 480);
    REQUIRE(jpeg->DecodedBitmap() != nullptr);
    CHECK(jpeg->DecodedBitmap()->PixelLayout() == TPixelLayout::pf24Bit);
    CHECK(Near(pixels[0], 0xFF0000));
    CHECK(Near(pixels[639], 0xFF0000));
    CHECK(Near(pixels[479 * 640], 0x0000FF));
    const TBitmap* decoded = jpeg->DecodedBitmap();
    Render(*jpeg, 64, 48);
    CHECK(jpeg->DecodedBitmap() == decoded);

    SUBCASE("a copy to a bitmap gives the decoded pixels") {
        TBitmap bitmap;
        bitmap.Assign(jpeg.get());
        CHECK(bitmap.Width() == 640);
        CHECK(Near(Render(bitmap, 640, 480)[479 * 640], 0x0000FF));
    }
    SUBCASE("copies share the data and are equal; separate loads of one file are not") {
        TJPEGImage copy;
        copy.Assign(jpeg.get());
        CHECK(copy.Equals(*jpeg));
        CHECK(copy.DecodedBitmap() != nullptr);
        auto again = Loaded(jpeg->Bytes());
        CHECK_FALSE(again->Equals(*jpeg));
    }
    SUBCASE("the size cannot be changed") {
        CHECK_THROWS_WITH_AS(jpeg->SetWidth(10), "Cannot change the size of a JPEG image", EInvalidGraphicOperation);
        CHECK_THROWS_AS(jpeg->SetHeight(10), EInvalidGraphicOperation);
    }
}

TEST_CASE("a grayscale file decodes into an 8-bit bitmap with a grey palette of at most 236 entries") {
    TestApplication();
    auto jpeg = Loaded(BuildJpeg({32, 32, 0x404040, 0xC0C0C0, true}));
    CHECK(jpeg->Grayscale());
    TBitmap& bitmap = jpeg->Decode();
    CHECK(bitmap.PixelLayout() == TPixelLayout::pf8Bit);
    CHECK(jpeg->PaletteModified());
    const std::vector<RGBQUAD> colours = PaletteColours(bitmap.Palette());
    REQUIRE_FALSE(colours.empty());
    CHECK(colours.size() <= 236);
    for (const RGBQUAD& c : colours) {
        CHECK(c.rgbRed == c.rgbGreen);
        CHECK(c.rgbGreen == c.rgbBlue);
    }
    const std::vector<uint32_t> pixels = Render(*jpeg, 32, 32);
    CHECK(Near(pixels[0], 0x404040));
    CHECK(Near(pixels[31 * 32], 0xC0C0C0));
}

TEST_CASE("a progressive file loads and decodes like a baseline one") {
    TestApplication();
    JpegFields fields{48, 40, 0x00FF00, 0x00FF00};
    fields.progressive = true;
    auto jpeg = Loaded(BuildJpeg(fields));
    CHECK(jpeg->Progressive());
    CHECK(Near(Render(*jpeg, 48, 40)[20 * 48 + 10], 0x00FF00));
}

TEST_CASE("saving writes the kept bytes unchanged, and a short write is an error") {
    TestApplication();
    TempFolder temp;
    const std::vector<uint8_t> bytes = BuildJpeg({100, 60, 0x123456, 0xABCDEF});
    temp.Write("photo.JPG", bytes);
    TPicture picture;
    picture.LoadFile(temp.File("photo.JPG"));
    REQUIRE(dynamic_cast<TJPEGImage*>(picture.Graphic()));
    Render(*picture.Graphic(), 10, 10);  // decoding does not change what is saved
    picture.SaveFile(temp.File("copy.bmp"));
    CHECK(ReadBytes(temp.File("copy.bmp")) == bytes);

    ShortStream full;
    CHECK_THROWS_WITH_AS(picture.Graphic()->SaveStream(full), "Stream write error", EWriteError);
}

TEST_CASE("a JPEG made from a bitmap is compressed when saved") {
    TestApplication();
    BmpFields fields;
    fields.width = 8;
    fields.height = 8;
    fields.pixels.assign(8 * 8 * 3, 0);
    for (size_t i = 2; i < fields.pixels.size(); i += 3) fields.pixels[i] = 255;  // red
    TBitmap bitmap;
    TMemoryStream in(BuildBmp(fields));
    bitmap.LoadStream(in);
    TJPEGImage jpeg;
    jpeg.Assign(&bitmap);
    CHECK(jpeg.Bytes().empty());
    TMemoryStream out;
    jpeg.SaveStream(out);
    auto back = Loaded(out.Bytes());
    CHECK(back->Width() == 8);
    CHECK(Near(Render(*back, 8, 8)[27], 0xFF0000));
}

TEST_CASE("files the library refuses fail at load with its code") {
    TestApplication();
    CHECK(LoadErrorCode(BuildBmp(BmpFields{})) == codec::jpeg::kErrNotJpeg);
    CHECK(LoadErrorCode({0xFF, 0xD8, 0xFF}) != 0);
}

TEST_CASE("a file cut short in its scan data decodes its top part without an error") {
    TestApplication();
    auto jpeg = Loaded(CutInScan(BuildJpeg({64, 64, 0xFF0000, 0x0000FF})));
    CHECK(jpeg->Height() == 64);
    const std::vector<uint32_t> pixels = Render(*jpeg, 64, 64);
    CHECK(Near(pixels[0], 0xFF0000));
    CHECK(jpeg->DecodedBitmap()->Height() == 64);
}

TEST_CASE("damaged data fails at the first drawing only; later drawings show the kept bitmap") {
    TestApplication();
    auto jpeg = Loaded(WithoutSegments(BuildJpeg({32, 32}), 0xDB));
    CHECK(jpeg->Width() == 32);
    CHECK_THROWS_AS(Render(*jpeg, 32, 32), EJPEG);
    REQUIRE(jpeg->DecodedBitmap() != nullptr);
    CHECK_NOTHROW(Render(*jpeg, 32, 32));
    CHECK(jpeg->Width() == 0);
}

TEST_CASE("a header claiming a huge picture fails before its pixels are allocated") {
    TestApplication();
    auto jpeg = Loaded(WithFrameSize(BuildJpeg({16, 16}), 60000, 60000));
    CHECK(jpeg->Width() == 60000);
    CHECK_THROWS_WITH_AS(jpeg->Decode(), "Out of system resources", EOutOfResources);
    CHECK(jpeg->DecodedBitmap()->IsEmpty());
}

TEST_CASE("a JPEG goes on the clipboard as its decoded bitmap") {
    TestApplication();
    TPicture picture;
    auto jpeg = Loaded(BuildJpeg({20, 10, 0x00FF00, 0x00FF00}));
    picture.SetGraphic(jpeg.get());
    Clipboard().Assign(&picture);
    REQUIRE(OpenClipboard(nullptr));
    auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP bm{};
    if (bitmap) GetObject(bitmap, sizeof bm, &bm);
    CloseClipboard();
    REQUIRE(bitmap);
    CHECK(bm.bmWidth == 20);
    CHECK(bm.bmHeight == 10);
    CHECK(bm.bmBits == nullptr);  // device-dependent
}

TEST_CASE("a JPEG drawn smaller shows the same picture as its bitmap drawn smaller") {
    TestApplication();
    auto jpeg = Loaded(BuildJpeg({600, 400, 0xFF0000, 0x0000FF}));
    const std::vector<uint32_t> shrunk = Render(*jpeg, 60, 40, RECT{0, 0, 60, 40});
    TBitmap bitmap;
    bitmap.Assign(jpeg.get());
    const std::vector<uint32_t> direct = Render(bitmap, 60, 40, RECT{0, 0, 60, 40});
    int differing = 0;
    for (size_t i = 0; i < shrunk.size(); ++i) differing += !Near(shrunk[i], direct[i]);
    CHECK(differing <= 60);  // at most the row at the colour edge
    CHECK(Near(shrunk[0], 0xFF0000));
    CHECK(Near(shrunk[39 * 60 + 59], 0x0000FF));
}

namespace {
// What decoding gave: the error's text, the size after it, and a drawing after.
struct Outcome {
    std::string error;
    int width = 0;
    int height = 0;
    std::vector<uint32_t> drawn;
    bool reused = false;  // the pixels came from another graphic
};

// How the pixels come: decoded at the first drawing, begun ahead, or from a
// second graphic loaded from the same bytes: the decode it began ahead, or
// the pixels it decoded itself.
enum class Route { Drawn, Ahead, TakenOver, Shared };

Outcome DecodeOutcome(const std::vector<uint8_t>& bytes, Route route) {
    auto jpeg = Loaded(bytes), other = Loaded(bytes);
    Outcome o;
    if (route == Route::Ahead) jpeg->DecodeAhead();
    if (route == Route::TakenOver) {
        other->DecodeAhead();
        o.reused = jpeg->TakeDecodeOf(*other);
    }
    if (route == Route::Shared) {
        try {
            other->Decode();
        } catch (const Exception&) {
        }
        o.reused = jpeg->SharePixelsOf(*other);
        CHECK_FALSE(jpeg->Equals(*other));
    }
    if (route != Route::Shared) CHECK(jpeg->DecodedBitmap() == nullptr);
    try {
        jpeg->Decode();
    } catch (const Exception& e) {
        o.error = e.what();
    }
    o.width = jpeg->Width();
    o.height = jpeg->Height();
    if (o.width > 0 && o.height > 0 && o.width < 10000) o.drawn = Render(*jpeg, 64, 48);
    return o;
}
}  // namespace

TEST_CASE("pixels decoded ahead or by another graphic of the same bytes end as a decode at the first drawing") {
    TestApplication();
    JpegFields progressive{48, 40, 0x00FF00, 0x0000FF};
    progressive.progressive = true;
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } files[] = {
        {"baseline", BuildJpeg({640, 480, 0xFF0000, 0x0000FF})},
        {"progressive", BuildJpeg(progressive)},
        {"grey, decoded when drawn", BuildJpeg({32, 32, 0x404040, 0xC0C0C0, true})},
        {"cut short in its scan", CutInScan(BuildJpeg({64, 64, 0xFF0000, 0x0000FF}))},
        {"without quantisation tables", WithoutSegments(BuildJpeg({32, 32}), 0xDB)},
        {"claiming 60000 x 60000", WithFrameSize(BuildJpeg({16, 16}), 60000, 60000)},
    };
    for (const auto& f : files) {
        const Outcome now = DecodeOutcome(f.bytes, Route::Drawn);
        for (Route route : {Route::Ahead, Route::TakenOver, Route::Shared}) {
            CAPTURE(f.name);
            CAPTURE(int(route));
            const Outcome o = DecodeOutcome(f.bytes, route);
            CHECK(o.error == now.error);
            CHECK(o.width == now.width);
            CHECK(o.height == now.height);
            CHECK(o.drawn == now.drawn);
            if (f.name == std::string("baseline") && route != Route::Ahead) CHECK(o.reused);
        }
    }
}

TEST_CASE("a JPEG replaced, copied or destroyed while its decode runs ahead") {
    TestApplication();
    auto jpeg = Loaded(BuildJpeg({3000, 2000, 0xFF0000, 0x0000FF}));
    jpeg->DecodeAhead();
    SUBCASE("destroyed") { jpeg.reset(); }
    SUBCASE("loaded again: the new picture shows") {
        TMemoryStream other(BuildJpeg({20, 10, 0x00FF00, 0x00FF00}));
        jpeg->LoadStream(other);
        CHECK(Near(Render(*jpeg, 20, 10)[0], 0x00FF00));
        CHECK(jpeg->DecodedBitmap()->Width() == 20);
    }
    SUBCASE("given a bitmap: the bitmap shows") {
        TBitmap bitmap;
        TMemoryStream in(BuildBmp(BmpFields{}));
        bitmap.LoadStream(in);
        jpeg->Assign(&bitmap);
        CHECK(jpeg->Width() == 2);
        CHECK(jpeg->DecodedBitmap()->Width() == 2);
    }
    SUBCASE("copied, then the original destroyed: the copy decodes on its own") {
        TJPEGImage copy;
        copy.Assign(jpeg.get());
        CHECK(copy.DecodedBitmap() == nullptr);
        jpeg.reset();
        const std::vector<uint32_t> pixels = Render(copy, 300, 200);
        CHECK(Near(pixels[0], 0xFF0000));
        CHECK(Near(pixels[199 * 300], 0x0000FF));
    }
}

TEST_CASE("bytes offered to a load are kept only when the stream holds exactly them") {
    TestApplication();
    std::vector<uint8_t> file = BuildJpeg({64, 48, 0xFF0000, 0x0000FF});
    const size_t end = file.size();
    file.resize(end + 200 * 1024, 0x5A);  // after the picture's end, over several pieces read
    const auto known = Loaded(file);
    for (size_t changedAt : {end, file.size() / 2, file.size() - 1, file.size()}) {
        CAPTURE(changedAt);
        std::vector<uint8_t> onDisk = file;
        if (changedAt < file.size()) onDisk[changedAt] = 0x5B;
        TJPEGImage loaded;
        loaded.OfferBytes({known.get()});
        TMemoryStream in(onDisk);
        loaded.LoadStream(in);
        CHECK(loaded.Bytes() == onDisk);
        CHECK(loaded.Width() == 64);
    }
}
