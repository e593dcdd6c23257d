// The error handler, the notice box and the error dialog.
#include <string>

#include "fixture.h"
#include "platform/exceptions.h"
#include "platform/text.h"
#include "testing.h"
#include "ui/button.h"
#include "ui/fonts.h"
#include "ui/message_dialog.h"

TEST_CASE("error box text: a full stop only after characters above '.'") {
    CHECK(ErrorBoxText(u"Unknown picture file extension (.xyz)") == u"Unknown picture file extension (.xyz)");
    CHECK(ErrorBoxText(u"Cannot open file C:\\a.bmp") == u"Cannot open file C:\\a.bmp.");
    CHECK(ErrorBoxText(u"ends with colon:") == u"ends with colon:.");
    CHECK(ErrorBoxText(u"I/O error 183") == u"I/O error 183.");
    for (const char16_t* kept : {u"done.", u"wow!", u"space ", u"comma,", u"dash-"}) CHECK(ErrorBoxText(kept) == kept);
    CHECK(ErrorBoxText(u"") == u"");
}

TEST_CASE("error handler: caption is the title, EAbort is silent, a capture is cancelled") {
    TestApplication();
    CaptureErrors errors;
    TestApplication().HandleException(EInvalidGraphic("Bitmap image is not valid"));
    REQUIRE(errors.texts.size() == 1);
    CHECK(errors.texts[0] == u"Bitmap image is not valid.");
    CHECK(errors.captions[0] == TestApplication().Title());

    TestApplication().HandleException(EAbort("Operation aborted"));
    CHECK(errors.texts.size() == 1);

    TestApplication().SetTitle("Tarnik Lumeno - foto.jpg");
    TestApplication().HandleException(EInOutError(5));
    CHECK(errors.texts.back() == u"File access denied.");
    CHECK(errors.captions.back() == u"Tarnik Lumeno - foto.jpg");
    TestApplication().SetTitle("Korvel Lumeno");

    FormSettings fs;
    TForm form(fs);
    form.Show();
    SetCapture(form.Handle());
    REQUIRE(GetCapture() == form.Handle());
    TestApplication().HandleException(EAbort(""));
    CHECK(GetCapture() == nullptr);
}

TEST_CASE("I/O error messages by code") {
    CHECK(EInOutError(2).Message() == u"File not found");
    CHECK(EInOutError(3).Message() == u"Invalid filename");
    CHECK(EInOutError(4).Message() == u"Too many open files");
    CHECK(EInOutError(5).Message() == u"File access denied");
    CHECK(EInOutError(100).Message() == u"Read beyond end of file");
    CHECK(EInOutError(101).Message() == u"Disk full");
    CHECK(EInOutError(106).Message() == u"Invalid numeric input");
    CHECK(EInOutError(183).Message() == u"I/O error 183");
}

namespace {
struct Seen {
    std::u16string caption, button;
    bool icon = false;
    int clientWidth = 0;
};

void CloseWith(HWND wnd, WPARAM key, Seen* seen) {
    auto* form = dynamic_cast<TMessageForm*>(TControl::FromHandle(wnd));
    REQUIRE(form);
    WCHAR text[128] = {};
    GetWindowTextW(wnd, text, 128);
    seen->caption = FromWide(text);
    seen->button = form->OkButton()->Caption();
    seen->icon = form->HasIcon();
    seen->clientWidth = form->ClientWidth();
    // Answered with a real key press in the dialog's own loop.
    PostMessageA(wnd, WM_KEYDOWN, key, 0);
}
}  // namespace

TEST_CASE("notice box: title caption, no icon, OK closes on Enter") {
    TestApplication();
    Seen seen;
    bool found = WhileModal(
        "Lumeno.Form", [](void*) { ShowNotice("Scrollbar ranges > 65535 not supported"); }, &seen,
        [](HWND wnd, void* ctx) { CloseWith(wnd, VK_RETURN, static_cast<Seen*>(ctx)); });
    REQUIRE(found);
    CHECK(seen.caption == TestApplication().Title());
    CHECK(seen.button == u"OK");
    CHECK_FALSE(seen.icon);
}

TEST_CASE("error dialog: caption Error, the error icon, Esc closes it") {
    TestApplication();
    Seen seen;
    bool found = WhileModal(
        "Lumeno.Form", [](void*) { ShowErrorDialog("Vyskytla sa chyba "); }, &seen,
        [](HWND wnd, void* ctx) { CloseWith(wnd, VK_ESCAPE, static_cast<Seen*>(ctx)); });
    REQUIRE(found);
    CHECK(seen.caption == u"Error");
    CHECK(seen.button == u"OK");
    CHECK(seen.icon);
}

TEST_CASE("message measures: a long text wraps at half the screen width") {
    std::u16string text;
    for (int i = 0; i < 80; ++i) text += u"slovo ";
    MessageMeasures m = MeasureMessage(text, MessageFont(), true);
    int half = GetSystemMetrics(SM_CXSCREEN) / 2;
    CHECK(m.text.right - m.text.left <= half);
    CHECK(m.clientWidth <= 32 + m.hSpacing + half + 2 * m.hMargin);
    MessageMeasures shortText = MeasureMessage(u"x", MessageFont(), true);
    CHECK(m.text.bottom > shortText.text.bottom);
    // The icon block is at least 32 high.
    CHECK(shortText.clientHeight >= 32 + shortText.vSpacing + shortText.buttonHeight + 2 * shortText.vMargin);
}

TEST_CASE("a button's modal result waits for its click handler; an abort refuses it") {
    TestApplication();
    FormSettings fs;
    TForm form(fs);
    ButtonSettings bs;
    bs.caption = "&OK";
    bs.modalResult = mrOk;
    TButton ok(&form, bs);
    int seenDuringHandler = -1;
    ok.OnClick = [&](TObject*) {
        seenDuringHandler = form.ModalResult();
        AbortSilently();
    };
    try {
        ok.Click();
    } catch (const EAbort&) {
    }
    CHECK(seenDuringHandler == mrNone);
    CHECK(form.ModalResult() == mrNone);
    ok.OnClick = nullptr;
    ok.Click();
    CHECK(form.ModalResult() == mrOk);
}
