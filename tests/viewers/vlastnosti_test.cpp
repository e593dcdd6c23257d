// The properties dialog: its controls, the long-name marker, the borrowed
// folder label and its tooltip, and where the sizes come from.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "../picture/jpeg_testing.h"
#include "app/okno.h"
#include "browse/path_rules.h"
#include "fixture.h"
#include "platform/handle.h"
#include "platform/text.h"
#include "testing.h"
#include "ui/fonts.h"
#include "viewer_testing.h"
#include "viewers/vlastnosti.h"

namespace {
// What the tooltip of a label holds (the message returns at most 80 characters).
std::u16string TipText(const TControl& label) {
    WCHAR text[100] = {};
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = GetParent(label.Handle());
    ti.uId = reinterpret_cast<UINT_PTR>(label.Handle());
    ti.lpszText = text;
    SendMessageW(Vlastnosti->Tips->Handle(), TTM_GETTEXTW, 100, reinterpret_cast<LPARAM>(&ti));
    return FromWide(text);
}

struct Seen {
    std::u16string meno, menoHint, menoTip, cestaText, cestaHint, cestaTip, sirka, vyska;
    bool bodky = false, borrowed = false, buttonFocused = false;
    Rect window{};
};

Seen Look(HWND wnd) {
    TVlastnosti& v = *Vlastnosti;
    Seen s;
    s.meno = v.meno->Text();
    s.menoHint = v.meno->Hint;
    s.menoTip = TipText(*v.meno);
    s.cestaText = v.cesta->Text();
    s.cestaHint = v.cesta->Hint;
    s.cestaTip = TipText(*v.cesta);
    s.sirka = v.sirka->Text();
    s.vyska = v.vyska->Text();
    s.bodky = IsWindowVisible(v.bodky1->Handle()) != FALSE;
    s.borrowed = Okno->Dir->DirLabel() == v.cesta.get();
    s.buttonFocused = GetFocus() == v.Button1->Handle();
    s.window = WindowBox(wnd);
    return s;
}

// Opens the dialog for the selected file, looks, and closes it with Enter
// on the focused OK button.
Seen OpenAndLook(TOkno& w) {
    Seen seen;
    bool up = WhileUp([&] { w.Vlastnosti1Click(nullptr); },
                      [&](HWND wnd) {
                          seen = Look(wnd);
                          SendMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
                      });
    CHECK(up);
    CHECK_FALSE(IsWindowVisible(Vlastnosti->Handle()));
    return seen;
}

std::u16string Fitted(const std::u16string& path, const TLabel& label, int width) {
    HFONT font = label.Font();
    return FitPathToWidth(path, [font](const std::u16string& s) { return TextWidth(font, s); }, width);
}

void CheckBox(const TControl& c, int left, int top, int width, int height) {
    CHECK(c.Left() == left);
    CHECK(c.Top() == top);
    CHECK(c.Width() == width);
    CHECK(c.Height() == height);
}
}  // namespace

TEST_CASE("properties dialog: frame, place and controls as designed") {
    MainWindow();
    TVlastnosti& v = *Vlastnosti;
    CHECK(v.Caption() == u"Vlastnosti");
    CHECK(v.ClientWidth() == 349);
    CHECK(v.ClientHeight() == 204);
    CHECK((GetWindowLongA(v.Handle(), GWL_STYLE) & WS_THICKFRAME) == 0);
    CHECK(v.Left() == 201);
    CHECK(v.Top() == 142);
    CheckBox(*v.Button1, 128, 168, 75, 25);
    CHECK(v.Button1->Caption() == u"OK");
    CheckBox(*v.Panel1, 16, 16, 313, 137);
    CheckBox(*v.meno, 104, 24, 193, 13);
    CheckBox(*v.cesta, 104, 48, 201, 13);
    CheckBox(*v.bodky1, 296, 24, 9, 13);
    CHECK(v.bodky1->Text() == u"...");
    CHECK(v.meno->ShowHint);
    CHECK(v.cesta->ShowHint);
    CHECK_FALSE(v.meno->AutoSize());
    CHECK(v.sirka->AutoSize());
    CHECK(v.Label1->Text() == u"Meno súboru:");
    CHECK(v.Label2->Text() == u"Umiestnenie:");
    CHECK(v.Label3->Text() == u"Šírka obrázka:");
    CHECK(v.Label4->Text() == u"Výška obrázka:");
    CHECK(v.Label4->Left() == 16);
    CHECK(v.Label4->Top() == 96);
    CHECK(v.Label1->Parent() == v.Panel1.get());
}

TEST_CASE("properties dialog: name, folder, sizes; the marker from 32 characters; the label goes back to adresa") {
    TOkno& w = MainWindow();
    TempFolder temp;
    KeepMainFolder keep;
    const std::u16string name31 = std::u16string(27, 'a') + u".bmp";  // 31 characters
    const std::u16string name32 = std::u16string(28, 'b') + u".bmp";
    REQUIRE(name31.size() == 31);
    WriteBmp(temp, name31, 12, 34);
    WriteBmp(temp, name32, 56, 7);

    REQUIRE(SelectFile(w, temp.Path(), name31));
    Seen s = OpenAndLook(w);
    CHECK(s.meno == name31);
    CHECK(s.menoHint == name31);
    CHECK(s.menoTip == name31);
    CHECK_FALSE(s.bodky);
    CHECK(s.sirka == u"12");
    CHECK(s.vyska == u"34");
    CHECK(s.cestaHint == temp.Path() + u"\\");
    CHECK(s.cestaTip == temp.Path() + u"\\");
    CHECK(s.cestaText == Fitted(w.Dir->Directory(), *Vlastnosti->cesta, 201));
    CHECK(s.borrowed);
    CHECK(s.buttonFocused);
    CHECK(s.window.left == 201);
    CHECK(s.window.top == 142);

    REQUIRE(SelectFile(w, temp.Path(), name32));
    s = OpenAndLook(w);
    CHECK(s.meno == name32);
    CHECK(s.bodky);
    CHECK(s.sirka == u"56");
    CHECK(s.vyska == u"7");

    // The marker is reset at every showing.
    REQUIRE(SelectFile(w, temp.Path(), name31));
    CHECK_FALSE(OpenAndLook(w).bodky);

    CHECK(w.Dir->DirLabel() == w.adresa.get());
    CHECK(w.adresa->Text() == Fitted(w.Dir->Directory(), *w.adresa, 261));
}

TEST_CASE("properties dialog: a folder too long for 201 pixels is shortened, its tooltip keeps it whole") {
    TOkno& w = MainWindow();
    TempFolder temp;
    KeepMainFolder keep;
    std::u16string folder = temp.Path();
    for (const char16_t* part : {u"\\velmi dlhy nazov priecinka", u"\\este jeden dlhy priecinok", u"\\a posledny"}) {
        folder += part;
        CreateDirectoryW(WidePtr(folder), nullptr);
    }
    std::u16string file = folder + u"\\foto.bmp";
    {
        std::vector<uint8_t> bytes = FlatBmp(3, 2);
        FileHandle h(CreateFileW(WidePtr(file), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        REQUIRE(h);
        DWORD put = 0;
        WriteFile(h.get(), bytes.data(), DWORD(bytes.size()), &put, nullptr);
    }
    REQUIRE(SelectFile(w, folder, u"foto.bmp"));
    const std::u16string adresaBefore = w.adresa->Text();
    std::u16string tipShown;
    Seen s;
    bool up = WhileUp([&] { w.Vlastnosti1Click(nullptr); },
                      [&](HWND wnd) {
                          s = Look(wnd);
                          // While the dialog borrows the link, adresa is left alone.
                          CHECK(w.adresa->Text() == adresaBefore);
                          // The real pointer resting on cesta brings up its tooltip.
                          Rect c = WindowBox(Vlastnosti->cesta->Handle());
                          SetCursorPos(int(c.left + 20), int(c.top + 6));
                          for (int i = 0; i < 100 && !IsWindowVisible(Vlastnosti->Tips->Handle()); ++i) {
                              Sleep(20);
                              Pump();
                          }
                          if (IsWindowVisible(Vlastnosti->Tips->Handle()))
                              tipShown = WindowText(Vlastnosti->Tips->Handle());
                          SetCursorPos(1000, 700);
                          SendMessageA(Vlastnosti->Button1->Handle(), BM_CLICK, 0, 0);
                      });
    CHECK(up);
    CHECK(s.cestaHint == folder + u"\\");
    CHECK(s.cestaText == Fitted(folder, *Vlastnosti->cesta, 201));
    CHECK(s.cestaText != folder);
    CHECK(s.cestaText.find(u"...") != std::u16string::npos);
    CHECK(TextWidth(Vlastnosti->cesta->Font(), s.cestaText) <= 201);
    CHECK(tipShown == folder + u"\\");
    CHECK(w.adresa->Text() == Fitted(folder, *w.adresa, 261));
    CHECK(w.Dir->DirLabel() == w.adresa.get());
}

TEST_CASE("properties dialog: the sizes are the selected file's own, never another picture's") {
    TOkno& w = MainWindow();
    TempFolder temp;
    KeepMainFolder keep;
    WriteBmp(temp, u"vybrany.bmp", 77, 55);
    temp.Write(u"pokazeny.bmp", std::vector<unsigned char>(64, 'x'));
    temp.Write(u"prazdny.bmp", {});

    SUBCASE("the preview holds another picture: the selected file is measured") {
        w.Image->Picture().LoadFile(WriteBmp(temp, u"iny.bmp", 300, 200));
        REQUIRE(SelectFile(w, temp.Path(), u"vybrany.bmp"));
        Seen s = OpenAndLook(w);
        CHECK(s.sirka == u"77");
        CHECK(s.vyska == u"55");
    }
    SUBCASE("the preview holds the selected file's picture") {
        w.Image->Picture().LoadFile(temp.File(u"vybrany.bmp"));
        REQUIRE(SelectFile(w, temp.Path(), u"vybrany.bmp"));
        Seen s = OpenAndLook(w);
        CHECK(s.sirka == u"77");
        CHECK(s.vyska == u"55");
    }
    SUBCASE("a file that cannot be read as a picture: the sizes stay empty") {
        w.Image->Picture().LoadFile(temp.File(u"vybrany.bmp"));
        REQUIRE(SelectFile(w, temp.Path(), u"pokazeny.bmp"));
        Seen s = OpenAndLook(w);
        CHECK(s.meno == u"pokazeny.bmp");
        CHECK(s.sirka.empty());
        CHECK(s.vyska.empty());
    }
    SUBCASE("a JPEG is measured by its header: damaged data after it does not matter") {
        pictest::JpegFields f;
        f.width = 640;
        f.height = 480;
        temp.Write(u"foto.jpg", pictest::CutInScan(pictest::BuildJpeg(f)));
        REQUIRE(SelectFile(w, temp.Path(), u"foto.jpg"));
        Seen s = OpenAndLook(w);
        CHECK(s.sirka == u"640");
        CHECK(s.vyska == u"480");
    }
    SUBCASE("an empty file reads as an empty picture: 0 x 0") {
        REQUIRE(SelectFile(w, temp.Path(), u"prazdny.bmp"));
        Seen s = OpenAndLook(w);
        CHECK(s.sirka == u"0");
        CHECK(s.vyska == u"0");
    }
}

TEST_CASE("properties dialog: nothing at all with no file selected or a vanished file") {
    TOkno& w = MainWindow();
    TempFolder temp;
    KeepMainFolder keep;
    WriteBmp(temp, u"zmizne.bmp", 5, 5);
    REQUIRE(SelectFile(w, temp.Path(), u"zmizne.bmp"));
    OpenAndLook(w);
    const std::u16string menoBefore = Vlastnosti->meno->Text();

    SUBCASE("no selection") { w.files->SetItemIndex(-1); }
    SUBCASE("the file was removed") { DeleteFileW(WidePtr(temp.File("zmizne.bmp"))); }
    bool up = WhileUp([&] { w.Vlastnosti1Click(nullptr); },
                      [&](HWND) { SendMessageA(Vlastnosti->Button1->Handle(), BM_CLICK, 0, 0); });
    CHECK_FALSE(up);
    CHECK(Vlastnosti->meno->Text() == menoBefore);
    CHECK(w.Dir->DirLabel() == w.adresa.get());
}
