// The main window's browsing controls: their places, links, wiring and tab
// order.
#include <windows.h>

#include <cctype>
#include <string>
#include <vector>

#include "../browse/probe.h"
#include "app/okno.h"
#include "fixture.h"
#include "platform/text.h"
#include "testing.h"
#include "ui/fonts.h"
#include "ui/gdi.h"

namespace {
const char kAllPictures[] = "*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf";

// Puts the main window's lists back on the folder they showed, whatever a
// test did (declared after the test's TempFolder, so it runs first).
struct KeepMainFolder {
    KeepMainFolder() : folder(MainWindow().Dir->Directory()) {}
    ~KeepMainFolder() {
        try {
            Okno->Dir->SetDirectory(folder);
            PickRow(*Okno->filter, 0);
        } catch (const std::exception&) {
        }
    }
    std::u16string folder;
};

std::u16string FittedAdresa() {
    HFONT font = Okno->adresa->Font();
    return FitPathToWidth(Okno->Dir->Directory(), [font](const std::u16string& s) { return TextWidth(font, s); }, 261);
}

// The pixels of one character drawn in a font, black on white.
std::vector<DWORD> Drawn(HFONT font, char16_t c) {
    MemoryDC dc(nullptr);
    BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), 24, -24, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    Bitmap bitmap(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    SelectGuard b(dc.get(), bitmap.get());
    SelectGuard f(dc.get(), font);
    TextOutW(dc.get(), 2, 2, reinterpret_cast<const WCHAR*>(&c), 1);
    GdiFlush();
    return {static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + 24 * 24};
}

void CheckBox(const TControl& c, int left, int top, int width, int height) {
    CHECK(c.Left() == left);
    CHECK(c.Top() == top);
    CHECK(c.Width() == width);
    CHECK(c.Height() == height);
}
}  // namespace

TEST_CASE("main window lists at start: places, links, filter row 0's mask") {
    TOkno& w = MainWindow();
    CheckBox(*w.Dir, 8, 27, 265, 150);
    CheckBox(*w.files, 288, 51, 321, 278);
    CheckBox(*w.disk, 288, 27, 321, 19);
    CheckBox(*w.filter, 400, 336, 209, 21);
    CHECK(w.Dir->ItemHeight() == 16);
    CHECK(w.files->ItemHeight() == 16);
    CHECK(w.files->ShowGlyphs());

    CHECK(w.disk->DirList() == w.Dir.get());
    CHECK(w.Dir->DriveCombo() == w.disk.get());
    CHECK(w.Dir->FileList() == w.files.get());
    CHECK(w.Dir->DirLabel() == w.adresa.get());
    CHECK(w.files->Directory() == w.Dir->Directory());
    CHECK(std::toupper(w.disk->Drive()) == std::toupper(w.Dir->Directory()[0]));
    CHECK(w.adresa->Text() == FittedAdresa());

    REQUIRE(w.filter->Count() == 6);
    CHECK(w.filter->Item(0) == u"Všetky formáty (jpg,bmp,ico,emf,wmf)");
    CHECK(w.filter->Item(1) == u"JPG súbory (*.jpg,*.jpeg)");
    CHECK(w.filter->Item(5) == u"Kliparty MS-Word (*.wmf)");
    CHECK(w.filter->ItemIndex() == 0);
    CHECK(w.files->Mask() == kAllPictures);
}

TEST_CASE("main window: picking a filter row re-reads the file list once") {
    TempFolder temp;
    for (const char16_t* name : {u"a.jpg", u"b.bmp", u"c.ico", u"d.txt"}) MakeFile(temp.File(name));
    KeepMainFolder keep;
    TOkno& w = MainWindow();
    w.Dir->SetDirectory(temp.Path());
    CHECK(Rows(*w.files) == std::vector<std::u16string>{u"a.jpg", u"b.bmp", u"c.ico"});

    int reads = 0;
    TNotifyEvent wired = w.files->OnChange;
    w.files->OnChange = [&reads, wired](TObject* s) {
        ++reads;
        wired(s);
    };
    for (PickBy way : {PickBy::Mouse, PickBy::DroppedKeys}) {
        CAPTURE(int(way));
        reads = 0;
        PickRow(*w.filter, 2, way);
        CHECK(reads == 1);
        CHECK(w.files->Mask() == "*.bmp");
        CHECK(Rows(*w.files) == std::vector<std::u16string>{u"b.bmp"});
        reads = 0;
        PickRow(*w.filter, 0, way);
        CHECK(reads == 1);
        CHECK(w.files->Count() == 3);
    }
    reads = 0;
    PickRow(*w.filter, 1, PickBy::ClosedArrows);
    CHECK(reads == 1);
    CHECK(w.files->Mask() == "*.jpg;*.jpeg");
    CHECK(Rows(*w.files) == std::vector<std::u16string>{u"a.jpg"});
    w.files->OnChange = wired;
}

TEST_CASE("main window: a double-click on a subfolder moves folder list, file list and path label") {
    TempFolder temp;
    MakeFolder(temp.File(u"podpriecinok s obrazkami"));
    MakeFile(temp.File(u"podpriecinok s obrazkami\\x.jpg"));
    MakeFile(temp.File(u"podpriecinok s obrazkami\\y.txt"));
    MakeFile(temp.File(u"z.bmp"));
    KeepMainFolder keep;
    TOkno& w = MainWindow();
    w.Dir->SetDirectory(temp.Path());
    int row = -1;
    for (int i = 0; i < w.Dir->Count(); ++i)
        if (w.Dir->Item(i) == u"podpriecinok s obrazkami") row = i;
    REQUIRE(row >= 0);
    DoubleClickRow(*w.Dir, row);
    CHECK(w.Dir->Directory() == temp.File(u"podpriecinok s obrazkami"));
    CHECK(w.files->Directory() == w.Dir->Directory());
    CHECK(Rows(*w.files) == std::vector<std::u16string>{u"x.jpg"});
    CHECK(w.files->FileName() == u"");
    CHECK(w.files->Mask() == kAllPictures);
    CHECK(w.adresa->Text() == FittedAdresa());
}

TEST_CASE("main window: the lists follow the tool bar") {
    TOkno& w = MainWindow();
    w.ZobrIkoClick(nullptr);
    CheckBox(*w.Dir, 8, 2, 265, 175);
    CheckBox(*w.disk, 288, 2, 321, 19);
    CheckBox(*w.files, 288, 26, 321, 303);
    w.ZobrIkoClick(nullptr);
    CheckBox(*w.Dir, 8, 27, 265, 150);
    CheckBox(*w.disk, 288, 27, 321, 19);
    CheckBox(*w.files, 288, 51, 321, 278);
    w.ZobrIkoClick(nullptr);
    w.ZobrIkoClick(nullptr);
    CheckBox(*w.Dir, 8, 27, 265, 150);
    CheckBox(*w.files, 288, 51, 321, 278);
}

TEST_CASE("main window: Tab goes folder list, file list, drive selector, filter") {
    TOkno& w = MainWindow();
    w.Dir->SetFocus();
    w.SelectNext(true);
    CHECK(GetFocus() == w.files->Handle());
    w.SelectNext(true);
    CHECK(GetFocus() == w.disk->Handle());
    w.SelectNext(true);
    CHECK(GetFocus() == w.filter->Handle());
    w.SelectNext(false);
    w.SelectNext(false);
    w.SelectNext(false);
    CHECK(GetFocus() == w.Dir->Handle());
}

TEST_CASE("main window: names in Cyrillic, Greek and CJK draw their own glyphs in the lists, label, status and captions") {
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof(ncm);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    Font caption(CreateFontIndirectA(&ncm.lfCaptionFont));
    TOkno& w = MainWindow();
    HFONT status = HFONT(SendMessageA(w.DolnyPanel->Handle(), WM_GETFONT, 0, 0));
    for (HFONT font : {w.files->Font(), w.adresa->Font(), status, caption.get()}) {
        for (char16_t c : std::u16string(u"фотоЖΩμέγαλ写真")) {
            CAPTURE(int(c));
            // U+FFFF no font holds: the face's default glyph or box.
            CHECK(Drawn(font, c) != Drawn(font, u'\uffff'));
        }
    }
}
