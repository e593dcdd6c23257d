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
#include "testing.h"
#include "ui/fonts.h"
#include "viewer_testing.h"
#include "viewers/vlastnosti.h"

namespace {
// What the tooltip of a label holds (the message returns at most 80 characters).
std::string TipText(const TControl& label) {
    char text[100] = {};
    TTTOOLINFOA ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = GetParent(label.Handle());
    ti.uId = reinterpret_cast<UINT_PTR>(label.Handle());
    ti.lpszText = text;
    SendMessageA(Vlastnosti->Tips->Handle(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
    return text;
}

struct Seen {
    std::string meno, menoHint, menoTip, cestaText, cestaHint, cestaTip, sirka, vyska;
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

std::string Fitted(const std::string& path, const TLabel& label, int width) {
    HFONT font = label.Font();
    return FitPathToWidth(path, [font](const std::string& s) { return TextWidth(font, s); }, width);
}

void CheckBox(const TControl& c, int left, int top, int width, int height) {
    CHECK(c.Left() == left);
    CHECK(c.Top() == top);
    CHECK(c.Width() == width);
    CHECK(c.Height() == height);
}

// At its place in the dialog's layout table.
void CheckBox(const TControl& c, std::string_view name) {
    const Box b = VlastnostiBox(name);
    CheckBox(c, b.left, b.top, b.width, b.height);
}
}  // namespace

TEST_CASE("properties dialog: frame, place and controls as designed") {
    MainWindow();
    TVlastnosti& v = *Vlastnosti;
    CHECK(v.Caption() == "Vlastnosti");
    CHECK(v.ClientWidth() == VlastnostiBox("Vlastnosti").width);
    CHECK(v.ClientHeight() == VlastnostiBox("Vlastnosti").height);
    CHECK((GetWindowLongA(v.Handle(), GWL_STYLE) & WS_THICKFRAME) == 0);
    CheckBox(v, VlastnostiBox("Vlastnosti").left, VlastnostiBox("Vlastnosti").top, v.Width(), v.Height());
    CheckBox(*v.Button1, "Button1");
    CHECK(v.Button1->Caption() == "OK");
    CheckBox(*v.Panel1, "Panel1");
    CheckBox(*v.meno, "meno");
    CheckBox(*v.cesta, "cesta");
    CheckBox(*v.bodky1, "bodky1");
    CHECK(v.bodky1->Text() == "...");
    CHECK(v.meno->ShowHint);
    CHECK(v.cesta->ShowHint);
    CHECK_FALSE(v.meno->AutoSize());
    CHECK(v.sirka->AutoSize());
    CHECK(v.Label1->Text() == "Meno súboru:");
    CHECK(v.Label2->Text() == "Umiestnenie:");
    CHECK(v.Label3->Text() == "Šírka obrázka:");
    CHECK(v.Label4->Text() == "Výška obrázka:");
    CHECK(v.Label4->Left() == VlastnostiBox("Label4").left);
    CHECK(v.Label4->Top() == VlastnostiBox("Label4").top);
    CHECK(v.Label1->Parent() == v.Panel1.get());
}

TEST_CASE("properties dialog: name, folder, sizes; the marker from 32 characters; the label goes back to adresa") {
    TOkno& w = MainWindow();
    TempFolder temp;
    KeepMainFolder keep;
    const std::string name31 = std::string(27, 'a') + ".bmp";  // 31 characters
    const std::string name32 = std::string(28, 'b') + ".bmp";
    REQUIRE(name31.size() == 31);
    WriteBmp(temp, name31, 12, 34);
    WriteBmp(temp, name32, 56, 7);

    REQUIRE(SelectFile(w, temp.Path(), name31));
    Seen s = OpenAndLook(w);
    CHECK(s.meno == name31);
    CHECK(s.menoHint == name31);
    CHECK(s.menoTip == name31);
    CHECK_FALSE(s.bodky);
    CHECK(s.sirka == "12");
    CHECK(s.vyska == "34");
    CHECK(s.cestaHint == temp.Path() + "\\");
    CHECK(s.cestaTip == temp.Path() + "\\");
    CHECK(s.cestaText == Fitted(w.Dir->Directory(), *Vlastnosti->cesta, 201));
    CHECK(s.borrowed);
    CHECK(s.buttonFocused);
    CHECK(s.window.left == 201);
    CHECK(s.window.top == 142);

    REQUIRE(SelectFile(w, temp.Path(), name32));
    s = OpenAndLook(w);
    CHECK(s.meno == name32);
    CHECK(s.bodky);
    CHECK(s.sirka == "56");
    CHECK(s.vyska == "7");

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
    std::string folder = temp.Path();
    for (const char* part : {"\\velmi dlhy nazov priecinka", "\\este jeden dlhy priecinok", "\\a posledny"}) {
        folder += part;
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    std::string file = folder + "\\foto.bmp";
    {
        std::vector<uint8_t> bytes = FlatBmp(3, 2);
        FileHandle h(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        REQUIRE(h);
        DWORD put = 0;
        WriteFile(h.get(), bytes.data(), DWORD(bytes.size()), &put, nullptr);
    }
    REQUIRE(SelectFile(w, folder, "foto.bmp"));
    const std::string adresaBefore = w.adresa->Text();
    std::string tipShown;
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
                          char text[512] = {};
                          if (IsWindowVisible(Vlastnosti->Tips->Handle()))
                              GetWindowTextA(Vlastnosti->Tips->Handle(), text, sizeof text);
                          tipShown = text;
                          SetCursorPos(1000, 700);
                          SendMessageA(Vlastnosti->Button1->Handle(), BM_CLICK, 0, 0);
                      });
    CHECK(up);
    CHECK(s.cestaHint == folder + "\\");
    CHECK(s.cestaText == Fitted(folder, *Vlastnosti->cesta, 201));
    CHECK(s.cestaText != folder);
    CHECK(s.cestaText.find("...") != std::string::npos);
    CHECK(TextWidth(Vlastnosti->cesta->Font(), s.cestaText) <= 201);
    CHECK(tipShown == folder + "\\");
    CHECK(w.adresa->Text() == Fitted(folder, *w.adresa, 261));
    CHECK(w.Dir->DirLabel() == w.adresa.get());
}

TEST_CASE("properties dialog: the sizes are the selected file's own, never another picture's") {
    TOkno& w = MainWindow();
    TempFolder temp;
    KeepMainFolder keep;
    WriteBmp(temp, "vybrany.bmp", 77, 55);
    temp.Write("pokazeny.bmp", std::vector<unsigned char>(64, 'x'));
    temp.Write("prazdny.bmp", {});

    SUBCASE("the preview holds another picture: the selected file is measured") {
        w.Image->Picture().LoadFile(WriteBmp(temp, "iny.bmp", 300, 200));
        REQUIRE(SelectFile(w, temp.Path(), "vybrany.bmp"));
        Seen s = OpenAndLook(w);
        CHECK(s.sirka == "77");
        CHECK(s.vyska == "55");
    }
    SUBCASE("the preview holds the selected file's picture") {
        w.Image->Picture().LoadFile(temp.File("vybrany.bmp"));
        REQUIRE(SelectFile(w, temp.Path(), "vybrany.bmp"));
        Seen s = OpenAndLook(w);
        CHECK(s.sirka == "77");
        CHECK(s.vyska == "55");
    }
    SUBCASE("a file that cannot be read as a picture: the sizes stay empty") {
        w.Image->Picture().LoadFile(temp.File("vybrany.bmp"));
        REQUIRE(SelectFile(w, temp.Path(), "pokazeny.bmp"));
        Seen s = OpenAndLook(w);
        CHECK(s.meno == "pokazeny.bmp");
        CHECK(s.sirka.empty());
        CHECK(s.vyska.empty());
    }
    SUBCASE("a JPEG is measured by its header: damaged data after it does not matter") {
        pictest::JpegFields f;
        f.width = 640;
        f.height = 480;
        temp.Write("foto.jpg", pictest::CutInScan(pictest::BuildJpeg(f)));
        REQUIRE(SelectFile(w, temp.Path(), "foto.jpg"));
        Seen s = OpenAndLook(w);
        CHECK(s.sirka == "640");
        CHECK(s.vyska == "480");
    }
    SUBCASE("an empty file reads as an empty picture: 0 x 0") {
        REQUIRE(SelectFile(w, temp.Path(), "prazdny.bmp"));
        Seen s = OpenAndLook(w);
        CHECK(s.sirka == "0");
        CHECK(s.vyska == "0");
    }
}

TEST_CASE("properties dialog: nothing at all with no file selected or a vanished file") {
    TOkno& w = MainWindow();
    TempFolder temp;
    KeepMainFolder keep;
    WriteBmp(temp, "zmizne.bmp", 5, 5);
    REQUIRE(SelectFile(w, temp.Path(), "zmizne.bmp"));
    OpenAndLook(w);
    const std::string menoBefore = Vlastnosti->meno->Text();

    SUBCASE("no selection") { w.files->SetItemIndex(-1); }
    SUBCASE("the file was removed") { DeleteFileA(temp.File("zmizne.bmp").c_str()); }
    bool up = WhileUp([&] { w.Vlastnosti1Click(nullptr); },
                      [&](HWND) { SendMessageA(Vlastnosti->Button1->Handle(), BM_CLICK, 0, 0); });
    CHECK_FALSE(up);
    CHECK(Vlastnosti->meno->Text() == menoBefore);
    CHECK(w.Dir->DirLabel() == w.adresa.get());
}
