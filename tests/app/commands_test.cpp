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
}  // namespace

TEST_CASE("printer set-up: runs the system dialog (or its refusal) and comes back") {
    TOkno& w = MainWindow();
    WhileModal(
        "#32770", [](void*) { Okno->Nastavenietlae1Click(Okno); }, nullptr, CloseAnyDialog);
    CHECK(IsWindowVisible(w.Handle()));
    CHECK(IsWindowEnabled(w.Handle()));
}

TEST_CASE("web page command: at most one error dialog, with the program's text") {
    TOkno& w = MainWindow();
    WebOutcome outcome;
    WhileModal(
        "Lumeno.Form", [](void*) { Okno->TarniksoftwarevsietiWWW1Click(Okno); }, &outcome, CloseErrorDialog);
    CHECK(outcome.dialogs <= 1);
    if (outcome.dialogs) CHECK(outcome.text == "Vyskytla sa chyba ");
    CHECK(IsWindowEnabled(w.Handle()));
}
