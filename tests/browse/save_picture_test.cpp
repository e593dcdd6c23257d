// Saving the previewed picture under a name, without ever losing a file.
#include <windows.h>

#include <string>

#include "app/okno.h"
#include "browse/save_picture.h"
#include "file_ops_testing.h"
#include "fixture.h"
#include "picture/jpeg_testing.h"
#include "picture/picture.h"
#include "platform/exceptions.h"
#include "platform/handle.h"
#include "platform/stream.h"
#include "platform/text.h"
#include "testing.h"
#include "ui/gdi.h"

namespace {
// A picture kind whose writer puts out a few bytes and then fails, and
// which notes the file name it was asked to write.
class THalfWriter : public TGraphic {
public:
    static const TGraphicClass& Class() {
        static const TGraphicClass kind{"THalfWriter", nullptr, &CreateGraphic<THalfWriter>};
        return kind;
    }
    static std::u16string& LastPath() {
        static std::u16string path;
        return path;
    }
    static bool& Fails() {
        static bool fails = true;
        return fails;
    }

    const TGraphicClass& Kind() const override { return Class(); }
    void Assign(TObject*) override {}
    void Draw(TCanvas&, const RECT&) override {}
    bool IsEmpty() const override { return false; }
    int Width() const override { return 1; }
    int Height() const override { return 1; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    void SaveFile(const std::u16string& path) override {
        LastPath() = path;
        TGraphic::SaveFile(path);
    }
    void LoadStream(TStream&) override {}
    void SaveStream(TStream& stream) override {
        stream.WriteBuffer("half", 4);
        if (Fails()) throw EWriteError("Stream write error");
    }
    void LoadClipboardData(UINT, HANDLE, HPALETTE) override {}
    ClipboardData SaveClipboardData() override { return {}; }
};

const int kFileNameCombo = 0x47c, kFileNameEdit = 0x480, kTypeCombo = 0x470;

HWND NameBox(HWND dialog) {
    HWND box = GetDlgItem(dialog, kFileNameCombo);
    return box ? box : GetDlgItem(dialog, kFileNameEdit);
}

std::u16string TextOf(HWND wnd) { return wnd ? WindowText(wnd) : std::u16string(); }

struct SaveDialogSeen {
    std::u16string offered, type;
};

// Runs the save command and answers the system's dialog with the name.
bool SaveThroughDialog(const std::u16string& path, SaveDialogSeen* seen = nullptr) {
    return Answering("#32770", [] { SendMenuCommand(MainWindow().Uloiobrzokako1); },
                     [&](HWND dialog) {
                         if (seen) {
                             seen->offered = TextOf(NameBox(dialog));
                             seen->type = TextOf(GetDlgItem(dialog, kTypeCombo));
                         }
                         SetWindowTextW(NameBox(dialog), WidePtr(path));
                         PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                     });
}

TPicture& Preview() { return MainWindow().Image->Picture(); }

// An enhanced metafile of a filled square, as a file's bytes.
std::string EmfFile() {
    WindowDC screen(nullptr);
    const RECT frame{0, 0, 1000, 1000};
    HDC dc = CreateEnhMetaFileA(screen.get(), nullptr, &frame, nullptr);
    Brush brush(CreateSolidBrush(RGB(200, 40, 10)));
    const RECT square{0, 0, 20, 20};
    FillRect(dc, &square, brush.get());
    EnhMetafile emf(CloseEnhMetaFile(dc));
    std::string bytes(GetEnhMetaFileBits(emf.get(), 0, nullptr), '\0');
    GetEnhMetaFileBits(emf.get(), UINT(bytes.size()), reinterpret_cast<BYTE*>(&bytes[0]));
    return bytes;
}

uint32_t Word32(const std::string& b, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4 && at + i < b.size(); ++i) v |= uint32_t(uint8_t(b[at + i])) << (8 * i);
    return v;
}
bool IsPlaceableWmf(const std::string& b) { return b.size() > 22 && Word32(b, 0) == 0x9AC6CDD7; }
bool IsEmf(const std::string& b) { return b.size() > 44 && Word32(b, 0) == 1 && Word32(b, 40) == 0x464D4520; }
}  // namespace

TEST_CASE("save: nothing previewed writes no file; a picture replaces an existing file at once") {
    TempFolder temp;
    CaptureErrors errors;
    Preview().SetGraphic(nullptr);
    SaveDialogSeen seen;
    REQUIRE(SaveThroughDialog(temp.File("prazdny.bmp"), &seen));
    CHECK(seen.type == u"Všetky súbory (*.*)");
    CHECK(EntryCount(temp.Path()) == 0);

    WriteAll(temp.File("zdroj.bmp"), TinyBmp(3, 2));
    Preview().LoadFile(temp.File("zdroj.bmp"));
    WriteAll(temp.File("stary.bmp"), "old contents");
    REQUIRE(SaveThroughDialog(temp.File("stary.bmp"), &seen));
    // The last name chosen is offered again.
    CHECK(seen.offered.find(u"prazdny.bmp") != std::u16string::npos);
    CHECK(errors.texts.empty());
    TPicture back;
    back.LoadFile(temp.File("stary.bmp"));
    CHECK(back.Width() == 3);
    CHECK(back.Height() == 2);
    // Nothing but the source and the replaced file is left in the folder.
    CHECK(EntryCount(temp.Path()) == 2);
}

TEST_CASE("save onto the file the picture was loaded from") {
    TempFolder temp;
    WriteAll(temp.File("a.bmp"), TinyBmp(5, 4));
    TPicture picture;
    picture.LoadFile(temp.File("a.bmp"));
    SavePictureOver(picture, temp.File("a.bmp"));
    TPicture back;
    back.LoadFile(temp.File("a.bmp"));
    CHECK(back.Width() == 5);
    CHECK(back.Height() == 4);
    CHECK(EntryCount(temp.Path()) == 1);
}

TEST_CASE("save that fails leaves the old file byte for byte and no temporary file") {
    TempFolder temp;
    const std::string old = TinyBmp(2, 2, 0x010203);
    WriteAll(temp.File("cieľ.bmp"), old);
    THalfWriter graphic;
    TPicture picture;
    picture.SetGraphic(&graphic);

    SUBCASE("the writer throws half way") {
        THalfWriter::Fails() = true;
        CHECK_THROWS_WITH_AS(SavePictureOver(picture, temp.File("cieľ.bmp")), "Stream write error", EWriteError);
    }
    SUBCASE("the target is read-only: the target's name is in the message") {
        THalfWriter::Fails() = false;
        SetFileAttributesW(WidePtr(temp.File("cieľ.bmp")), FILE_ATTRIBUTE_READONLY);
        CHECK_THROWS_WITH_AS(SavePictureOver(picture, temp.File("cieľ.bmp")),
                             Narrow1250(u"Cannot create file " + temp.File("cieľ.bmp")).c_str(), EFCreateError);
    }
    SUBCASE("the target is held open by another program") {
        THalfWriter::Fails() = false;
        FileHandle busy(CreateFileW(WidePtr(temp.File("cieľ.bmp")), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        REQUIRE(busy);
        CHECK_THROWS_AS(SavePictureOver(picture, temp.File("cieľ.bmp")), EFCreateError);
    }
    SUBCASE("a folder of that name is not replaced") {
        THalfWriter::Fails() = false;
        CreateDirectoryW(WidePtr(temp.File("priečinok.bmp")), nullptr);
        CHECK_THROWS_WITH_AS(SavePictureOver(picture, temp.File("priečinok.bmp")),
                             Narrow1250(u"Cannot create file " + temp.File("priečinok.bmp")).c_str(), EFCreateError);
        CHECK(IsFolder(temp.File("priečinok.bmp")));
        RemoveDirectoryW(WidePtr(temp.File("priečinok.bmp")));
    }
    THalfWriter::Fails() = true;
    CHECK(ReadAll(temp.File("cieľ.bmp")) == old);
    CHECK(EntryCount(temp.Path()) == 1);
}

TEST_CASE("save into a folder that does not exist names the target") {
    TempFolder temp;
    THalfWriter graphic;
    TPicture picture;
    picture.SetGraphic(&graphic);
    const std::u16string target = temp.File("nie\\je.bmp");
    CHECK_THROWS_WITH_AS(SavePictureOver(picture, target), Narrow1250(u"Cannot create file " + target).c_str(), EFCreateError);
}

TEST_CASE("the temporary file keeps the target's extension, so a kind may choose its format by name") {
    TempFolder temp;
    THalfWriter::Fails() = false;
    THalfWriter graphic;
    TPicture picture;
    picture.SetGraphic(&graphic);
    SavePictureOver(picture, temp.File("klipart.WMF"));
    CHECK(PictureExtension(THalfWriter::LastPath()) == u"WMF");
    CHECK(THalfWriter::LastPath().rfind(temp.Path() + u"\\", 0) == 0);
    CHECK(ReadAll(temp.File("klipart.WMF")) == "half");
    SavePictureOver(picture, temp.File("bez_pripony"));
    CHECK(PictureExtension(THalfWriter::LastPath()).empty());
    CHECK(IsFile(temp.File("bez_pripony")));
    THalfWriter::Fails() = true;
    CHECK(EntryCount(temp.Path()) == 2);
}

TEST_CASE("a JPEG picture is saved byte for byte, whatever the extension typed") {
    TempFolder temp;
    pictest::JpegFields fields;
    fields.top = 0x2040FF;
    const std::vector<uint8_t> jpeg = pictest::BuildJpeg(fields);
    const std::string source(jpeg.begin(), jpeg.end());
    WriteAll(temp.File("foto.jpg"), source);
    TPicture picture;
    picture.LoadFile(temp.File("foto.jpg"));
    SavePictureOver(picture, temp.File("kopia.jpg"));
    SavePictureOver(picture, temp.File("kopia.bmp"));
    CHECK(ReadAll(temp.File("kopia.jpg")) == source);
    CHECK(ReadAll(temp.File("kopia.bmp")) == source);
}

TEST_CASE("a metafile goes out as placeable WMF under a .wmf name, else as it was loaded") {
    TempFolder temp;
    WriteAll(temp.File("kresba.emf"), EmfFile());
    TPicture picture;
    picture.LoadFile(temp.File("kresba.emf"));
    SavePictureOver(picture, temp.File("klipart.wmf"));
    SavePictureOver(picture, temp.File("znova.emf"));
    SavePictureOver(picture, temp.File("obrazok.bmp"));
    CHECK(IsPlaceableWmf(ReadAll(temp.File("klipart.wmf"))));
    CHECK(IsEmf(ReadAll(temp.File("znova.emf"))));
    CHECK(IsEmf(ReadAll(temp.File("obrazok.bmp"))));
    // Replacing an existing file follows the same rule.
    WriteAll(temp.File("stary.wmf"), "old");
    SavePictureOver(picture, temp.File("stary.wmf"));
    CHECK(IsPlaceableWmf(ReadAll(temp.File("stary.wmf"))));
    CHECK(EntryCount(temp.Path()) == 5);
}
