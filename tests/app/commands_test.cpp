// Commands that talk to the system: printer set-up and the web page.
#include <windows.h>

#include <string>

#include "app/okno.h"
#include "fixture.h"
#include "platform/text.h"
#include "testing.h"
#include "ui/message_dialog.h"

namespace {
void CloseAnyDialog(HWND wnd, void*) {
    PostMessageA(wnd, WM_COMMAND, IDCANCEL, 0);
    PostMessageA(wnd, WM_CLOSE, 0, 0);
}

struct WebOutcome {
    int dialogs = 0;
    std::string text;
};

void CloseErrorDialog(HWND wnd, void* ctx) {
    auto* out = static_cast<WebOutcome*>(ctx);
    if (auto* form = dynamic_cast<TMessageForm*>(TControl::FromHandle(wnd))) {
        ++out->dialogs;
        out->text = Narrow1250(form->Text());
    }
    PostMessageA(wnd, WM_KEYDOWN, VK_RETURN, 0);
}

// The classes root seen through an empty key: the shell knows no program for
// any address.
struct NoClasses {
    HKEY empty = nullptr;
    NoClasses() {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Lumeno tests\\no classes", 0, nullptr, REG_OPTION_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &empty, nullptr);
        REQUIRE(RegOverridePredefKey(HKEY_CLASSES_ROOT, empty) == ERROR_SUCCESS);
    }
    ~NoClasses() {
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        RegCloseKey(empty);
    }
};
}  // namespace

TEST_CASE("printer set-up: runs the system dialog (or its refusal) and comes back") {
    TOkno& w = MainWindow();
    CHECK(WhileModal(
        "#32770", [](void*) { Okno->Nastavenietlae1Click(Okno); }, nullptr, CloseAnyDialog));
    CHECK(IsWindowVisible(w.Handle()));
    CHECK(IsWindowEnabled(w.Handle()));
}

TEST_CASE("web page command: an address the shell cannot open gives one error dialog, with the program's text") {
    TOkno& w = MainWindow();
    NoClasses none;
    WebOutcome outcome;
    WhileModal(
        "Lumeno.Form", [](void*) { Okno->TarniksoftwarevsietiWWW1Click(Okno); }, &outcome, CloseErrorDialog);
    CHECK(outcome.dialogs == 1);
    CHECK(outcome.text == "Vyskytla sa chyba ");
    CHECK(IsWindowEnabled(w.Handle()));
}
