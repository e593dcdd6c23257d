// The about box: its controls and fonts, the O.K. button, and keeping the
// place of its first showing.
#include <windows.h>

#include <string>

#include "app/okno.h"
#include "fixture.h"
#include "platform/text.h"
#include "testing.h"
#include "viewer_testing.h"
#include "viewers/about_box.h"
#include "viewers/web_link.h"

namespace {
LOGFONTA FontOf(const TControl& c) {
    LOGFONTA lf{};
    GetObjectA(c.Font(), sizeof lf, &lf);
    return lf;
}

void ClickOk(HWND) {
    HWND ok = AboutBox->SpeedButton1->Handle();
    SendMessageA(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(ok, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
}
}  // namespace

TEST_CASE("about box: title, fonts, the link label and the O.K. button as designed") {
    MainWindow();
    TAboutBox& a = *AboutBox;
    CHECK(a.Caption() == u"About TarnikLumeno");
    CHECK(a.ClientWidth() == 332);
    CHECK(a.ClientHeight() == 213);
    CHECK(a.Panel1->Color() == RGB(255, 255, 255));
    CHECK(a.Panel1->Left() == 8);
    CHECK(a.Panel1->Width() == 305);
    CHECK(a.Panel1->Height() == 161);
    CHECK(a.Label1->Text() == u"Korvel Lumeno");
    LOGFONTA title = FontOf(*a.Label1);
    CHECK(std::string(title.lfFaceName) == "Arial");
    CHECK(title.lfHeight == -19);
    CHECK(title.lfWeight == FW_BOLD);
    CHECK(title.lfCharSet == EASTEUROPE_CHARSET);
    CHECK(a.Label3->Text() == u"pre Windows 95/98/2000");
    CHECK(a.Label3->Left() == 152);
    CHECK(a.Label3->Top() == 32);
    CHECK(a.Label5->Text() == Wide(kMakerAddress));
    CHECK(a.Label5->Cursor == TCursor::crHandPoint);
    CHECK(a.Label5->Left() == 192);
    CHECK(a.Label5->Top() == 120);
    LOGFONTA link = FontOf(*a.Label5);
    CHECK(std::string(link.lfFaceName) == "Arial");
    CHECK(link.lfUnderline);
    CHECK(link.lfHeight == -11);
    // The whole address is readable inside the white panel.
    CHECK(a.Label5->Left() + a.Label5->Width() <= a.Panel1->ClientWidth());
    CHECK(a.Panel2->Left() == 216);
    CHECK(a.Panel2->Top() == 176);
    CHECK(a.SpeedButton1->Caption() == u"O.K.");
    CHECK(a.SpeedButton1->Width() == 88);
    CHECK(a.SpeedButton1->Height() == 25);
}

TEST_CASE("about box: shown from the help menu, closed by O.K., and later showings keep the first place") {
    TOkno& w = MainWindow();
    auto show = [&](void (*answer)(HWND)) {
        Rect box{};
        bool up = WhileUp([&] { SendMessageA(w.Handle(), WM_COMMAND, MAKEWPARAM(w.OprogrameTarnikLumeno1->Command(), 0), 0); },
                          [&](HWND wnd) {
                              box = WindowBox(wnd);
                              answer(wnd);
                          });
        CHECK(up);
        CHECK_FALSE(IsWindowVisible(AboutBox->Handle()));
        return box;
    };
    Rect first = show(ClickOk);
    // Only this test shows the about box: the first showing is centred.
    CHECK(first.left == (1024 - first.width) / 2);
    CHECK(first.top == (768 - first.height) / 2);
    Rect second = show([](HWND wnd) { SendMessageA(wnd, WM_SYSCOMMAND, SC_CLOSE, 0); });
    CHECK(second.left == first.left);
    CHECK(second.top == first.top);
    // Placing the window elsewhere between showings is not undone by centring.
    AboutBox->SetBounds(10, 20, AboutBox->Width(), AboutBox->Height());
    Rect third = show(ClickOk);
    CHECK(third.left == 10);
    CHECK(third.top == 20);
}
