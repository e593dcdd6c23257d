// The new-folder command and its dialog, on real folders.
#include <windows.h>

#include <string>

#include "app/okno.h"
#include "browse/new_dir.h"
#include "file_ops_testing.h"
#include "fixture.h"
#include "platform/exceptions.h"
#include "platform/text.h"
#include "testing.h"
#include "ui/message_dialog.h"
#include "ui/rects.h"

namespace {
// Types the name and presses "&OK".
std::function<void(HWND)> ConfirmName(const std::u16string& name) {
    return [name](HWND) {
        NewDir->Edit1->SetText(name);
        ClickButton(*NewDir->Button1);
    };
}

bool DirLists(const std::u16string& name) { return RowOf(*MainWindow().Dir, name) >= 0; }
}  // namespace

TEST_CASE("new folder: the dialog as it opens, and the folder made in a subfolder") {
    TOkno& w = MainWindow();
    TempFolder temp;
    BrowseIn browse(temp.Path());
    RECT frame{};
    HWND focus = nullptr;
    bool hasDefault = false;
    REQUIRE(AnsweringForm([&] { SendMenuCommand(w.Novprieinok1); },
                          [&](HWND wnd) {
                              frame = WindowRect(wnd);
                              focus = GetFocus();
                              for (TButton* b : {NewDir->Button1.get(), NewDir->Button2.get()})
                                  hasDefault |= (GetWindowLongA(b->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON) != 0;
                              ConfirmName(u"fotky")(wnd);
                          }));
    CHECK(frame.left == 270);
    CHECK(frame.top == 111);
    CHECK(focus == NewDir->Edit1->Handle());
    CHECK_FALSE(hasDefault);
    CHECK(NewFolderName == u"fotky");
    CHECK(IsFolder(temp.File(u"fotky")));
    // The folder list was refilled and shows the new folder among the subfolders.
    CHECK(DirLists(u"fotky"));
    CHECK(lstrcmpiW(WidePtr(w.Dir->Directory()), WidePtr(temp.Path())) == 0);
}

TEST_CASE("new folder in a drive root joins without a second backslash") {
    TOkno& w = MainWindow();
    const std::u16string name = Wide("lumeno-root-" + std::to_string(GetCurrentProcessId()));
    {
        BrowseIn browse(u"C:\\");
        REQUIRE(lstrcmpiW(WidePtr(w.Dir->Directory()), L"C:\\") == 0);
        REQUIRE(AnsweringForm([&] { SendMenuCommand(w.Novprieinok1); }, ConfirmName(name)));
        CHECK(IsFolder(u"C:\\" + name));
        CHECK(DirLists(name));
    }
    RemoveDirectoryW(WidePtr(u"C:\\" + name));
}

TEST_CASE("new folder: an empty name is refused inside the dialog; cancel then does nothing") {
    TOkno& w = MainWindow();
    TempFolder temp;
    BrowseIn browse(temp.Path());
    NewFolderName = u"earlier";
    std::u16string notice;
    bool stillOpen = false;
    int resultAfterRefusal = -1;
    REQUIRE(AnsweringForm([&] { SendMenuCommand(w.Novprieinok1); },
                          [&](HWND wnd) {
                              NewDir->Edit1->SetText(u"");
                              AnsweringForm([&] { ClickButton(*NewDir->Button1); },
                                            [&](HWND box) {
                                                auto* form = dynamic_cast<TMessageForm*>(TControl::FromHandle(box));
                                                if (form) {
                                                    notice = form->Text();
                                                    ClickButton(*form->OkButton());
                                                }
                                            });
                              stillOpen = IsWindowVisible(wnd) != FALSE;
                              resultAfterRefusal = NewDir->ModalResult();
                              ClickButton(*NewDir->Button2);
                          }));
    CHECK(notice == u"Nie je zadaný názov nového priečinka!");
    CHECK(stillOpen);
    CHECK(resultAfterRefusal == mrNone);
    CHECK(NewFolderName.empty());
    CHECK_FALSE(IsWindowVisible(NewDir->Handle()));
    CHECK(EntryCount(temp.Path()) == 0);
}

TEST_CASE("new folder: an existing name is an I/O error after the dialog, and nothing is refreshed") {
    TOkno& w = MainWindow();
    TempFolder temp;
    CreateDirectoryW(WidePtr(temp.File(u"fotky")), nullptr);
    BrowseIn browse(temp.Path());
    REQUIRE(DirLists(u"fotky"));
    // Made behind the list's back: it shows only when the list is refilled.
    CreateDirectoryW(WidePtr(temp.File(u"neskor")), nullptr);
    CaptureErrors errors;
    bool dialogGoneAtError = false;
    TestApplication().ShowErrorHook = [&](const std::u16string& text, const std::u16string&) {
        errors.texts.push_back(text);
        dialogGoneAtError = !IsWindowVisible(NewDir->Handle());
    };
    REQUIRE(AnsweringForm([&] { SendMenuCommand(w.Novprieinok1); }, ConfirmName(u"fotky")));
    REQUIRE(errors.texts.size() == 1);
    CHECK(errors.texts[0] == EInOutError(ERROR_ALREADY_EXISTS).Message() + u".");
    CHECK(dialogGoneAtError);
    CHECK_FALSE(DirLists(u"neskor"));
}

TEST_CASE("new folder: the field keeps what it held, confirmed or cancelled; the close box gives 2") {
    TOkno& w = MainWindow();
    TempFolder temp;
    BrowseIn browse(temp.Path());
    REQUIRE(AnsweringForm([&] { SendMenuCommand(w.Novprieinok1); }, ConfirmName(u"prvy")));
    std::u16string shown;
    REQUIRE(AnsweringForm([&] { SendMenuCommand(w.Novprieinok1); },
                          [&](HWND) {
                              shown = NewDir->Edit1->Text();
                              NewDir->Edit1->SetText(u"rozpisany");
                              ClickButton(*NewDir->Button2);
                          }));
    CHECK(shown == u"prvy");
    CHECK(NewFolderName == u"prvy");
    int closed = -1;
    REQUIRE(AnsweringForm(
        [&] { closed = NewDir->ShowModal(); },
        [&](HWND wnd) {
            shown = NewDir->Edit1->Text();
            CloseBox(wnd);
        }));
    CHECK(shown == u"rozpisany");
    CHECK(closed == mrCancel);
    CHECK(EntryCount(temp.Path()) == 1);
}
