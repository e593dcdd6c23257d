// Renaming and deleting the selected file, on real files.
#include <windows.h>

#include <string>

#include "app/okno.h"
#include "browse/premenuj.h"
#include "browse/vymazat.h"
#include "file_ops_testing.h"
#include "fixture.h"
#include "platform/exceptions.h"
#include "platform/text.h"
#include "testing.h"
#include "ui/rects.h"

namespace {
// Types the new name and presses "&OK".
std::function<void(HWND)> RenameTo(const std::u16string& name) {
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

std::u16string Caption(HWND wnd) { return WindowText(wnd); }
}  // namespace

TEST_CASE("rename: the dialog shows the old name and takes the new one; the list is read again") {
    TOkno& w = MainWindow();
    TempFolder temp;
    WriteAll(temp.File(u"leto.bmp"), "BM");
    BrowseIn browse(temp.Path());
    REQUIRE(SelectFile(u"leto.bmp"));
    std::u16string from;
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
        RenameTo(u"zima.bmp")(wnd);
    }));
    CHECK(from == u"leto.bmp");
    CHECK_FALSE(fromEnabled);
    CHECK(fromReadOnly);
    CHECK(focus == Premenuj->kam->Handle());
    CHECK(frame.left == 235);
    CHECK(frame.top == 48);
    CHECK(errors.texts.empty());
    CHECK_FALSE(IsFile(temp.File(u"leto.bmp")));
    CHECK(IsFile(temp.File(u"zima.bmp")));
    CHECK(RowOf(*w.files, u"zima.bmp") >= 0);
    CHECK(w.files->ItemIndex() == -1);
}

TEST_CASE("rename: names in any script are typed into the field and reach the disk whole") {
    TOkno& w = MainWindow();
    TempFolder temp;
    BrowseIn browse(temp.Path());
    const char16_t* steps[][2] = {{u"фото.bmp", u"Ωμέγα.bmp"}, {u"Ωμέγα.bmp", u"写真 😀.bmp"}, {u"写真 😀.bmp", u"čučoriedka.bmp"}};
    WriteAll(temp.File(steps[0][0]), "BM");
    w.files->Update();
    for (auto& step : steps) {
        CAPTURE(Utf8(step[1]));
        REQUIRE(SelectFile(step[0]));
        REQUIRE(Renaming([&](HWND) {
            // Through the queue, as the keyboard's characters come.
            Premenuj->kam->SetText(u"");
            for (const char16_t* c = step[1]; *c; ++c) PostMessageW(Premenuj->kam->Handle(), WM_CHAR, *c, 1);
            PostMessageW(Premenuj->Button1->Handle(), BM_CLICK, 0, 0);
        }));
        CHECK(IsFile(temp.File(step[1])));
        CHECK_FALSE(IsFile(temp.File(step[0])));
        CHECK(EntryCount(temp.Path()) == 1);
        CHECK(RowOf(*w.files, step[1]) >= 0);
    }
}

TEST_CASE("rename into a subfolder by a relative path, with the text kept from the last use") {
    TOkno& w = MainWindow();
    TempFolder temp;
    CreateDirectoryW(WidePtr(temp.File(u"stare")), nullptr);
    WriteAll(temp.File(u"a.bmp"), "BM");
    BrowseIn browse(temp.Path());
    REQUIRE(SelectFile(u"a.bmp"));
    REQUIRE(Renaming(RenameTo(u"stare\\b.bmp")));
    CHECK(IsFile(temp.File(u"stare\\b.bmp")));
    CHECK(RowOf(*w.files, u"a.bmp") == -1);

    // The field is never cleared: the next rename offers the same text.
    WriteAll(temp.File(u"c.bmp"), "BM");
    w.files->Update();
    REQUIRE(SelectFile(u"c.bmp"));
    std::u16string offered;
    CaptureErrors errors;
    REQUIRE(Renaming([&](HWND) {
        offered = Premenuj->kam->Text();
        ClickButton(*Premenuj->Button1);
    }));
    CHECK(offered == u"stare\\b.bmp");
    // stare\b.bmp exists now: the refusal is reported and c.bmp stays.
    CHECK(errors.texts.size() == 1);
    CHECK(IsFile(temp.File(u"c.bmp")));
}

TEST_CASE("rename refused by the platform is reported, and the list is read again all the same") {
    TOkno& w = MainWindow();
    TempFolder temp;
    WriteAll(temp.File(u"a.bmp"), "aaa");
    WriteAll(temp.File(u"b.bmp"), "bbb");
    BrowseIn browse(temp.Path());
    CaptureErrors errors;

    SUBCASE("onto an existing name") {
        REQUIRE(SelectFile(u"a.bmp"));
        WriteAll(temp.File(u"novy.bmp"), "BM");  // appears only when the list is read again
        REQUIRE(Renaming(RenameTo(u"b.bmp")));
        REQUIRE(errors.texts.size() == 1);
        CHECK(errors.texts[0] == EInOutError(ERROR_ALREADY_EXISTS).Message() + u".");
        CHECK(ReadAll(temp.File(u"a.bmp")) == "aaa");
        CHECK(ReadAll(temp.File(u"b.bmp")) == "bbb");
        CHECK(RowOf(*w.files, u"novy.bmp") >= 0);
        CHECK(w.files->ItemIndex() == -1);
    }
    SUBCASE("to an empty name") {
        REQUIRE(SelectFile(u"a.bmp"));
        REQUIRE(Renaming(RenameTo(u"")));
        REQUIRE(errors.texts.size() == 1);
        CHECK_FALSE(errors.texts[0].empty());
        CHECK(ReadAll(temp.File(u"a.bmp")) == "aaa");
        CHECK(EntryCount(temp.Path()) == 2);
    }
    SUBCASE("cancelled: nothing happens") {
        REQUIRE(SelectFile(u"a.bmp"));
        REQUIRE(Renaming([](HWND) {
            Premenuj->kam->SetText(u"c.bmp");
            ClickButton(*Premenuj->Button2);
        }));
        CHECK(errors.texts.empty());
        CHECK(IsFile(temp.File(u"a.bmp")));
        CHECK_FALSE(IsFile(temp.File(u"c.bmp")));
    }
}

TEST_CASE("rename and delete do nothing without a selected file that exists") {
    TOkno& w = MainWindow();
    TempFolder temp;
    WriteAll(temp.File(u"a.bmp"), "BM");
    BrowseIn browse(temp.Path());
    CaptureErrors errors;
    auto nothing = [](HWND wnd) { CloseBox(wnd); };

    w.files->SetItemIndex(-1);
    CHECK_FALSE(Renaming(nothing));
    CHECK_FALSE(Deleting(nothing));

    // Selected, then gone behind the list's back.
    REQUIRE(SelectFile(u"a.bmp"));
    DeleteFileW(WidePtr(temp.File(u"a.bmp")));
    CHECK_FALSE(Renaming(nothing));
    CHECK_FALSE(Deleting(nothing));
    CHECK(errors.texts.empty());
}

TEST_CASE("delete: the caption names the file, Enter on the focused Ano deletes it for good") {
    TOkno& w = MainWindow();
    TempFolder temp;
    WriteAll(temp.File(u"leto.bmp"), TinyBmp(7, 3));
    w.Image->Picture().LoadFile(temp.File(u"leto.bmp"));
    BrowseIn browse(temp.Path());
    REQUIRE(SelectFile(u"leto.bmp"));
    std::u16string caption, text;
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
    CHECK(caption == u"Vymazať \"leto.bmp\"");
    CHECK(text == u"'Naozaj chcete zmazať označený súbor?");
    CHECK(frame.left == 222);
    CHECK(frame.top == 161);
    CHECK(focusOnYes);
    CHECK(errors.texts.empty());
    CHECK_FALSE(IsFile(temp.File(u"leto.bmp")));
    CHECK(w.files->Count() == 0);
    CHECK(w.files->ItemIndex() == -1);
    // The preview keeps the picture as it was loaded.
    CHECK(w.Image->Picture().Width() == 7);
}

TEST_CASE("delete declined or closed leaves the file; Esc does not close the dialog") {
    TempFolder temp;
    WriteAll(temp.File(u"a.bmp"), "BM");
    BrowseIn browse(temp.Path());
    REQUIRE(SelectFile(u"a.bmp"));
    bool openAfterEsc = false;
    REQUIRE(Deleting([&](HWND wnd) {
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
        Pump();
        openAfterEsc = IsWindowVisible(wnd) && Vymazat->ModalResult() == mrNone;
        ClickButton(*Vymazat->Button2);
    }));
    CHECK(openAfterEsc);
    CHECK(IsFile(temp.File(u"a.bmp")));
    REQUIRE(SelectFile(u"a.bmp"));
    REQUIRE(Deleting(CloseBox));
    CHECK(IsFile(temp.File(u"a.bmp")));
}

TEST_CASE("delete of a read-only file is reported; the file stays and the list is read again") {
    TOkno& w = MainWindow();
    TempFolder temp;
    WriteAll(temp.File(u"a.bmp"), "BM");
    SetFileAttributesW(WidePtr(temp.File(u"a.bmp")), FILE_ATTRIBUTE_READONLY);
    BrowseIn browse(temp.Path());
    REQUIRE(SelectFile(u"a.bmp"));
    WriteAll(temp.File(u"b.bmp"), "BM");
    CaptureErrors errors;
    REQUIRE(Deleting([](HWND) { ClickButton(*Vymazat->Button1); }));
    REQUIRE(errors.texts.size() == 1);
    CHECK(errors.texts[0] == u"File access denied.");
    CHECK(IsFile(temp.File(u"a.bmp")));
    CHECK(RowOf(*w.files, u"b.bmp") >= 0);
    CHECK(w.files->ItemIndex() == -1);
}
