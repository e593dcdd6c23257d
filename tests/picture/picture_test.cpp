// The picture container and the format registry.
#include "platform/text.h"
#include "testing.h"

#include "fixture.h"
#include "picture/bitmap.h"
#include "picture/formats.h"
#include "picture/picture.h"
#include "picture_testing.h"
#include "platform/exceptions.h"
#include "platform/stream.h"

namespace {
// A 2 x 1 24-bit bitmap file: blue then red.
std::vector<uint8_t> SmallBmp() {
    BmpFields s;
    s.height = 1;
    s.sizeImage = 8;
    s.pixels = {255, 0, 0, 0, 0, 255, 0, 0};
    return BuildBmp(s);
}

std::u16string LoadError(TPicture& picture, const std::u16string& path) {
    try {
        picture.LoadFile(path);
    } catch (const Exception& e) {
        return e.Message();
    }
    return u"(loaded)";
}

// Registers the test kind for the JPEG extensions while it lives.
struct JpegTestKind {
    JpegTestKind() {
        RegisterFormat("jpeg", "JPEG Image File", TTestGraphic::Class());
        RegisterFormat("jpg", "JPEG Image File", TTestGraphic::Class());
    }
    ~JpegTestKind() { UnregisterKind(TTestGraphic::Class()); }
};
}  // namespace

TEST_CASE("the extension of a path is the text after its last dot, unless a folder or drive follows") {
    CHECK(PictureExtension(u"C:\\obrazky\\photo.JPG") == u"JPG");
    CHECK(PictureExtension(u"a.b.bmp") == u"bmp");
    CHECK(PictureExtension(u"C:\\pictures.old\\readme") == u"");
    CHECK(PictureExtension(u"C:readme") == u"");
    CHECK(PictureExtension(u"readme.") == u"");
    CHECK(PictureExtension(u"readme") == u"");
}

TEST_CASE("the registry finds kinds by extension, case-blind, the latest registration first") {
    TestApplication();
    TFileFormatsList& formats = FileFormats();
    CHECK(formats.FindByExtension(u"bmp") == &TBitmap::Class());
    CHECK(formats.FindByExtension(u"BMP") == &TBitmap::Class());
    CHECK(formats.FindByClassName("TBitmap") == &TBitmap::Class());
    CHECK(formats.FindByExtension(u"gif") == nullptr);

    SUBCASE("entries keep the start-up order") {
        const std::vector<std::u16string> order = {u"wmf", u"emf", u"ico", u"bmp", u"jpeg", u"jpg"};
        size_t next = 0;
        for (const TFileFormat& f : formats.Entries()) {
            while (next < order.size() && order[next] != f.extension) ++next;
            CHECK_MESSAGE(next < order.size(), "out of order: " << f.extension);
        }
    }
    SUBCASE("photo.JPG and photo.Jpeg resolve to the JPEG entries") {
        const TGraphicClass* before = formats.FindByExtension(u"jpg");
        {
            JpegTestKind jpeg;
            CHECK(formats.FindByExtension(PictureExtension(u"photo.JPG")) == &TTestGraphic::Class());
            CHECK(formats.FindByExtension(PictureExtension(u"photo.Jpeg")) == &TTestGraphic::Class());
        }
        CHECK(formats.FindByExtension(u"jpg") == before);
    }
    SUBCASE("Windows-1250 letters are lower-cased by the system") {
        RegisterFormat("ČŠŽ", "Test", TTestGraphic::Class());
        CHECK(formats.FindByExtension(u"čšž") == &TTestGraphic::Class());
        CHECK(formats.FindByExtension(u"ČšŽ") == &TTestGraphic::Class());
        UnregisterKind(TTestGraphic::Class());
        CHECK(formats.FindByExtension(u"čšž") == nullptr);
    }
    SUBCASE("unregistering a kind removes the kinds derived from it") {
        RegisterFormat("tst", "Test", TTestGraphic::Class());
        RegisterFormat("dtst", "Derived", TDerivedTestGraphic::Class());
        UnregisterKind(TTestGraphic::Class());
        CHECK(formats.FindByExtension(u"tst") == nullptr);
        CHECK(formats.FindByExtension(u"dtst") == nullptr);
        CHECK(formats.FindByExtension(u"bmp") == &TBitmap::Class());
    }
}

TEST_CASE("loading by extension: unknown extensions, missing files and bad data keep the picture") {
    TestApplication();
    TempFolder dir;
    dir.Write("dobry.bmp", SmallBmp());
    dir.Write("zly.bmp", {'X', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0, 0});
    BmpFields paletted;
    paletted.bits = 8;
    paletted.colours.assign(256 * 4, 0);
    paletted.pixels.assign(8, 0);
    const std::vector<uint8_t> eight = BuildBmp(paletted);
    // Ends inside the colour table.
    dir.Write("kratky.bmp", std::vector<uint8_t>(eight.begin(), eight.begin() + 154));
    dir.Write("image.gif", SmallBmp());
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject* sender) {
        CHECK(sender == &picture);
        ++changes;
    };
    picture.LoadFile(dir.File("dobry.bmp"));
    CHECK(changes == 1);
    CHECK(picture.Width() == 2);
    CHECK(picture.Height() == 1);
    TGraphic* held = picture.Graphic();
    REQUIRE(held);
    CHECK(std::string(held->ClassName()) == "TBitmap");

    CHECK(LoadError(picture, dir.File("image.gif")) == u"Unknown picture file extension (.gif)");
    CHECK(LoadError(picture, u"C:\\pictures.old\\readme") == u"Unknown picture file extension (.)");
    CHECK(LoadError(picture, dir.File("chyba.bmp")) == u"Cannot open file " + dir.File("chyba.bmp"));
    CHECK(LoadError(picture, dir.File("zly.bmp")) == u"Bitmap image is not valid");
    CHECK(LoadError(picture, dir.File("kratky.bmp")) == u"Stream read error");
    CHECK(picture.Graphic() == held);
    CHECK(picture.Width() == 2);
    CHECK(changes == 1);

    SUBCASE("a file held open elsewhere cannot be loaded") {
        TFileStream open(dir.File("dobry.bmp"), TFileStream::OpenRead);
        CHECK(LoadError(picture, dir.File("dobry.bmp")) == u"Cannot open file " + dir.File("dobry.bmp"));
    }
    SUBCASE("a later change of the graphic reaches the listener once") {
        static_cast<TBitmap*>(held)->SetWidth(5);
        CHECK(changes == 2);
        CHECK(picture.Width() == 5);
    }
}

TEST_CASE("saving writes the graphic's own format; an empty picture writes nothing") {
    TestApplication();
    TempFolder dir;
    dir.Write("a.bmp", SmallBmp());
    TPicture picture;
    picture.SaveFile(dir.File("prazdny.bmp"));
    CHECK_FALSE(FileExists(dir.File("prazdny.bmp")));
    CHECK(picture.Width() == 0);
    CHECK(picture.Height() == 0);

    picture.LoadFile(dir.File("a.bmp"));
    picture.SaveFile(dir.File("kopia.jpg"));
    CHECK(ReadBytes(dir.File("kopia.jpg")) == SmallBmp());
    try {
        picture.SaveFile(dir.File("chyba\\b.bmp"));
        FAIL("saved into a missing folder");
    } catch (const EFCreateError& e) {
        CHECK(e.Message() == u"Cannot create file " + dir.File("chyba\\b.bmp"));
    }
}

TEST_CASE("an empty bitmap file loads as an empty picture and saves as an empty file") {
    TestApplication();
    TempFolder dir;
    dir.Write("nula.bmp", {});
    TPicture picture;
    picture.LoadFile(dir.File("nula.bmp"));
    REQUIRE(picture.Graphic());
    CHECK(picture.Graphic()->IsEmpty());
    CHECK(picture.Width() == 0);
    picture.SaveFile(dir.File("znova.bmp"));
    CHECK(FileExists(dir.File("znova.bmp")));
    CHECK(ReadBytes(dir.File("znova.bmp")).empty());
}

TEST_CASE("assigning copies a graphic into a new one of its kind, and empties on null") {
    TestApplication();
    TPicture source, target;
    int changes = 0;
    target.OnChange = [&](TObject*) { ++changes; };
    TTestGraphic graphic;
    graphic.width = 7;
    graphic.height = 3;
    graphic.colour = RGB(10, 20, 30);

    target.Assign(&graphic);
    CHECK(changes == 1);
    REQUIRE(target.Graphic());
    CHECK(target.Graphic() != &graphic);
    CHECK(&target.Graphic()->Kind() == &TTestGraphic::Class());
    CHECK(target.Width() == 7);

    source.Assign(&target);
    REQUIRE(source.Graphic());
    CHECK(source.Graphic() != target.Graphic());
    CHECK(source.Graphic()->Equals(*target.Graphic()));
    // The copy is its own: changing it leaves the source alone.
    source.Graphic()->SetWidth(9);
    CHECK(target.Width() == 7);

    target.Assign(nullptr);
    CHECK(changes == 2);
    CHECK(target.Graphic() == nullptr);

    TObject foreign;
    try {
        target.Assign(&foreign);
        FAIL("assigned a bare object");
    } catch (const EConvertError& e) {
        CHECK(e.Message() == u"Cannot assign a TObject to a TPicture");
    }
}

TEST_CASE("a graphic's progress reaches the picture's listener") {
    TPicture picture;
    TTestGraphic graphic;
    graphic.width = graphic.height = 1;
    picture.SetGraphic(&graphic);
    int reports = 0;
    picture.OnProgress = [&](TObject*, TProgressStage stage, uint8_t percent, bool, const RECT&,
                             const std::string&) {
        CHECK(stage == TProgressStage::psRunning);
        CHECK(percent == 40);
        ++reports;
    };
    picture.Graphic()->Progress(picture.Graphic(), TProgressStage::psRunning, 40, false, RECT{}, "");
    CHECK(reports == 1);
}
