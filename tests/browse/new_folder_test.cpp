// The new-folder command and its dialog, on real folders.
#include <windows.h>

#include <string>

#include "app/okno.h"
#include "browse/new_dir.h"
#include "file_ops_testing.h"
#include "fixture.h"
#include "platform/exceptions.h"
#include "testing.h"
#include "ui/message_dialog.h"
#include "ui/rects.h"

namespace {
// Types the name and presses "&OK".
std::function<void(HWND)> ConfirmName(const std::string& name) {
    return [name](HWND) {
        NewDir->Edit1->SetText(name);
        ClickButton(*NewDir->Button1);
    };
}

bool DirLists(const std::string& name) { return RowOf(*MainWindow().Dir, name) >= 0; }
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
                              ConfirmName("fotky")(wnd);
                          }));
    CHECK(frame.left == NewDirBox("NewDir").left);
    CHECK(frame.top == NewDirBox("NewDir").top);
    CHECK(focus == NewDir->Edit1->Handle());
    CHECK_FALSE(hasDefault);
    CHECK(NewFolderName == "fotky");
    CHECK(IsFolder(temp.File("fotky")));
    // The folder list was refilled and shows the new folder among the subfolders.
    CHECK(DirLists("fotky"));
    CHECK(lstrcmpiA(w.Dir->Directory().c_str(), temp.Path().c_str()) == 0);
}

TEST_CASE("new folder in a drive root joins without a second backslash") {
    TOkno& w = MainWindow();
    const std::string name = "lumeno-root-" + std::to_string(GetCurrentProcessId());
    {
        BrowseIn browse("C:\\");
        REQUIRE(lstrcmpiA(w.Dir->Directory().c_str(), "C:\\") == 0);
        REQUIRE(AnsweringForm([&] { SendMenuCommand(w.Novprieinok1); }, ConfirmName(name)));
        CHECK(IsFolder("C:\\" + name));
        CHECK(DirLists(name));
    }
    RemoveDirectoryA(("C:\\" + name).c_str());
}

TEST_CASE("new folder: an empty name is refused inside the dialog; cancel then does nothing") {
    TOkno& w = MainWindow();
    TempFolder temp;
    BrowseIn browse(temp.Path());
    NewFolderName = "earlier";
    std::string notice;
    bool stillOpen = false;
    int resultAfterRefusal = -1;
    REQUIRE(AnsweringForm([&] { SendMenuCommand(w.Novprieinok1); },
                          [&](HWND wnd) {
                              NewDir->Edit1->SetText("");
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
    CHECK(notice == "Nie je zadaný názov nového priečinka!");
    CHECK(stillOpen);
    CHECK(resultAfterRefusal == mrNone);
    CHECK(NewFolderName.empty());
    CHECK_FALSE(IsWindowVisible(NewDir->Handle()));
    CHECK(EntryCount(temp.Path()) == 0);
}

TEST_CASE("new folder: an existing name is an I/O error after the dialog, and nothing is refreshed") {
    TOkno& w = MainWindow();
    TempFolder temp;
    CreateDirectoryA(temp.File("fotky").c_str(), nullptr);
    BrowseIn browse(temp.Path());
    REQUIRE(DirLists("fotky"));
    // Made behind the list's back: it shows only when the list is refilled.
    CreateDirectoryA(temp.File("neskor").c_str(), nullptr);
    CaptureErrors errors;
    bool dialogGoneAtError = false;
    TestApplication().ShowErrorHook = [&](const std::string& text, const std::string&) {
        errors.texts.push_back(text);
        dialogGoneAtError = !IsWindowVisible(NewDir->Handle());
    };
    REQUIRE(AnsweringForm([&] { SendMenuCommand(w.Novprieinok1); }, ConfirmName("fotky")));
    REQUIRE(errors.texts.size() == 1);
    CHECK(errors.texts[0] == EInOutError(ERROR_ALREADY_EXISTS).Message() + ".");
    CHECK(dialogGoneAtError);
    CHECK_FALSE(DirLists("neskor"));
}

TEST_CASE("new folder: the field keeps what it held, confirmed or cancelled; the close box gives 2") {
    TOkno& w = MainWindow();
    TempFolder temp;
    BrowseIn browse(temp.Path());
    REQUIRE(AnsweringForm([&] { SendMenuCommand(w.Novprieinok1); }, ConfirmName("prvy")));
    std::string shown;
    REQUIRE(AnsweringForm([&] { SendMenuCommand(w.Novprieinok1); },
                          [&](HWND) {
                              shown = NewDir->Edit1->Text();
                              NewDir->Edit1->SetText("rozpisany");
                              ClickButton(*NewDir->Button2);
                          }));
    CHECK(shown == "prvy");
    CHECK(NewFolderName == "prvy");
    int closed = -1;
    REQUIRE(AnsweringForm(
        [&] { closed = NewDir->ShowModal(); },
        [&](HWND wnd) {
            shown = NewDir->Edit1->Text();
            CloseBox(wnd);
        }));
    CHECK(shown == "rozpisany");
    CHECK(closed == mrCancel);
    CHECK(EntryCount(temp.Path()) == 1);
}
