// Renaming and deleting the selected file, on real files.
#include <windows.h>

#include <string>

#include "app/okno.h"
#include "browse/premenuj.h"
#include "browse/vymazat.h"
#include "file_ops_testing.h"
#include "fixture.h"
#include "platform/exceptions.h"
#include "testing.h"
#include "ui/rects.h"

namespace {
// Types the new name and presses "&OK".
std::function<void(HWND)> RenameTo(const std::string& name) {
    return [name](HWND) {
        Premenuj->kam->SetText(name);
        ClickButton(*Premenuj->Button1);
    };
}

bool Renaming(const std::function<void(HWND)>& answer) {
    return AnsweringForm([] { SendMenuCommand(MainWindow().Premenovasbor1); }, answer);
}

bool Deleting(const std::function<void(HWND)>& answer) {
    return AnsweringForm([] { SendMenuCommand(MainWindow().Vymazasbor); }, answer);
}

std::string Caption(HWND wnd) {
    char text[256] = {};
    GetWindowTextA(wnd, text, sizeof text);
    return text;
}
}  // namespace

TEST_CASE("rename: the dialog shows the old name and takes the new one; the list is read again") {
    TOkno& w = MainWindow();
    TempFolder temp;
    WriteAll(temp.File("leto.bmp"), "BM");
    BrowseIn browse(temp.Path());
    REQUIRE(SelectFile("leto.bmp"));
    std::string from;
    bool fromEnabled = true, fromReadOnly = false;
    HWND focus = nullptr;
    RECT frame{};
    CaptureErrors errors;
    REQUIRE(Renaming([&](HWND wnd) {
        from = Premenuj->odkial->Text();
        fromEnabled = Premenuj->odkial->Enabled();
        fromReadOnly = (GetWindowLongA(Premenuj->odkial->Handle(), GWL_STYLE) & ES_READONLY) != 0;
        focus = GetFocus();
        frame = WindowRect(wnd);
        RenameTo("zima.bmp")(wnd);
    }));
    CHECK(from == "leto.bmp");
    CHECK_FALSE(fromEnabled);
    CHECK(fromReadOnly);
    CHECK(focus == Premenuj->kam->Handle());
    CHECK(frame.left == PremenujBox("Premenuj").left);
    CHECK(frame.top == PremenujBox("Premenuj").top);
    CHECK(errors.texts.empty());
    CHECK_FALSE(IsFile(temp.File("leto.bmp")));
    CHECK(IsFile(temp.File("zima.bmp")));
    CHECK(RowOf(*w.files, "zima.bmp") >= 0);
    CHECK(w.files->ItemIndex() == -1);
}

TEST_CASE("rename into a subfolder by a relative path, with the text kept from the last use") {
    TOkno& w = MainWindow();
    TempFolder temp;
    CreateDirectoryA(temp.File("stare").c_str(), nullptr);
    WriteAll(temp.File("a.bmp"), "BM");
    BrowseIn browse(temp.Path());
    REQUIRE(SelectFile("a.bmp"));
    REQUIRE(Renaming(RenameTo("stare\\b.bmp")));
    CHECK(IsFile(temp.File("stare\\b.bmp")));
    CHECK(RowOf(*w.files, "a.bmp") == -1);

    // The field is never cleared: the next rename offers the same text.
    WriteAll(temp.File("c.bmp"), "BM");
    w.files->Update();
    REQUIRE(SelectFile("c.bmp"));
    std::string offered;
    CaptureErrors errors;
    REQUIRE(Renaming([&](HWND) {
        offered = Premenuj->kam->Text();
        ClickButton(*Premenuj->Button1);
    }));
    CHECK(offered == "stare\\b.bmp");
    // stare\b.bmp exists now: the refusal is reported and c.bmp stays.
    CHECK(errors.texts.size() == 1);
    CHECK(IsFile(temp.File("c.bmp")));
}

TEST_CASE("rename refused by the platform is reported, and the list is read again all the same") {
    TOkno& w = MainWindow();
    TempFolder temp;
    WriteAll(temp.File("a.bmp"), "aaa");
    WriteAll(temp.File("b.bmp"), "bbb");
    BrowseIn browse(temp.Path());
    CaptureErrors errors;

    SUBCASE("onto an existing name") {
        REQUIRE(SelectFile("a.bmp"));
        WriteAll(temp.File("novy.bmp"), "BM");  // appears only when the list is read again
        REQUIRE(Renaming(RenameTo("b.bmp")));
        REQUIRE(errors.texts.size() == 1);
        CHECK(errors.texts[0] == EInOutError(ERROR_ALREADY_EXISTS).Message() + ".");
        CHECK(ReadAll(temp.File("a.bmp")) == "aaa");
        CHECK(ReadAll(temp.File("b.bmp")) == "bbb");
        CHECK(RowOf(*w.files, "novy.bmp") >= 0);
        CHECK(w.files->ItemIndex() == -1);
    }
    SUBCASE("to an empty name") {
        REQUIRE(SelectFile("a.bmp"));
        REQUIRE(Renaming(RenameTo("")));
        REQUIRE(errors.texts.size() == 1);
        CHECK_FALSE(errors.texts[0].empty());
        CHECK(ReadAll(temp.File("a.bmp")) == "aaa");
        CHECK(EntryCount(temp.Path()) == 2);
    }
    SUBCASE("cancelled: nothing happens") {
        REQUIRE(SelectFile("a.bmp"));
        REQUIRE(Renaming([](HWND) {
            Premenuj->kam->SetText("c.bmp");
            ClickButton(*Premenuj->Button2);
        }));
        CHECK(errors.texts.empty());
        CHECK(IsFile(temp.File("a.bmp")));
        CHECK_FALSE(IsFile(temp.File("c.bmp")));
    }
}

TEST_CASE("rename and delete do nothing without a selected file that exists") {
    TOkno& w = MainWindow();
    TempFolder temp;
    WriteAll(temp.File("a.bmp"), "BM");
    BrowseIn browse(temp.Path());
    CaptureErrors errors;
    auto nothing = [](HWND wnd) { CloseBox(wnd); };

    w.files->SetItemIndex(-1);
    CHECK_FALSE(Renaming(nothing));
    CHECK_FALSE(Deleting(nothing));

    // Selected, then gone behind the list's back.
    REQUIRE(SelectFile("a.bmp"));
    DeleteFileA(temp.File("a.bmp").c_str());
    CHECK_FALSE(Renaming(nothing));
    CHECK_FALSE(Deleting(nothing));
    CHECK(errors.texts.empty());
}

TEST_CASE("delete: the caption names the file, Enter on the focused Ano deletes it for good") {
    TOkno& w = MainWindow();
    TempFolder temp;
    WriteAll(temp.File("leto.bmp"), TinyBmp(7, 3));
    w.Image->Picture().LoadFile(temp.File("leto.bmp"));
    BrowseIn browse(temp.Path());
    REQUIRE(SelectFile("leto.bmp"));
    std::string caption, text;
    RECT frame{};
    bool focusOnYes = false;
    CaptureErrors errors;
    REQUIRE(Deleting([&](HWND wnd) {
        caption = Caption(wnd);
        text = Vymazat->text->Text();
        frame = WindowRect(wnd);
        focusOnYes = GetFocus() == Vymazat->Button1->Handle();
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    }));
    CHECK(caption == "Vymazať \"leto.bmp\"");
    CHECK(text == "'Naozaj chcete zmazať označený súbor?");
    CHECK(frame.left == VymazatBox("Vymazat").left);
    CHECK(frame.top == VymazatBox("Vymazat").top);
    CHECK(focusOnYes);
    CHECK(errors.texts.empty());
    CHECK_FALSE(IsFile(temp.File("leto.bmp")));
    CHECK(w.files->Count() == 0);
    CHECK(w.files->ItemIndex() == -1);
    // The preview keeps the picture as it was loaded.
    CHECK(w.Image->Picture().Width() == 7);
}

TEST_CASE("delete declined or closed leaves the file; Esc does not close the dialog") {
    TempFolder temp;
    WriteAll(temp.File("a.bmp"), "BM");
    BrowseIn browse(temp.Path());
    REQUIRE(SelectFile("a.bmp"));
    bool openAfterEsc = false;
    REQUIRE(Deleting([&](HWND wnd) {
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
        Pump();
        openAfterEsc = IsWindowVisible(wnd) && Vymazat->ModalResult() == mrNone;
        ClickButton(*Vymazat->Button2);
    }));
    CHECK(openAfterEsc);
    CHECK(IsFile(temp.File("a.bmp")));
    REQUIRE(SelectFile("a.bmp"));
    REQUIRE(Deleting(CloseBox));
    CHECK(IsFile(temp.File("a.bmp")));
}

TEST_CASE("delete of a read-only file is reported; the file stays and the list is read again") {
    TOkno& w = MainWindow();
    TempFolder temp;
    WriteAll(temp.File("a.bmp"), "BM");
    SetFileAttributesA(temp.File("a.bmp").c_str(), FILE_ATTRIBUTE_READONLY);
    BrowseIn browse(temp.Path());
    REQUIRE(SelectFile("a.bmp"));
    WriteAll(temp.File("b.bmp"), "BM");
    CaptureErrors errors;
    REQUIRE(Deleting([](HWND) { ClickButton(*Vymazat->Button1); }));
    REQUIRE(errors.texts.size() == 1);
    CHECK(errors.texts[0] == "File access denied.");
    CHECK(IsFile(temp.File("a.bmp")));
    CHECK(RowOf(*w.files, "b.bmp") >= 0);
    CHECK(w.files->ItemIndex() == -1);
}
