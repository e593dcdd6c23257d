// The preview pane, driven by mouse selections in the main window's file list.
#include <windows.h>

#include <string>
#include <vector>

#include "../browse/file_ops_testing.h"
#include "../browse/probe.h"
#include "../picture/jpeg_testing.h"
#include "../picture/picture_testing.h"
#include "app/okno.h"
#include "app/okno_layout.h"
#include "app/preview_layout.h"
#include "fixture.h"
#include "picture/bitmap.h"
#include "picture/codec/jpeg.h"
#include "picture/jpeg_image.h"
#include "platform/text.h"
#include "testing.h"
#include "ui/message_dialog.h"

namespace {
// A 1-bit BMP of the size: cheap for any size the pane cares about.
std::vector<uint8_t> BlankBmp(int width, int height) {
    BmpFields f;
    f.width = width;
    f.height = height;
    f.bits = 1;
    f.pixels.assign(size_t((width + 31) / 32 * 4) * size_t(height), 0);
    return BuildBmp(f);
}

std::u16string SizeName(int w, int h) { return Wide(std::to_string(w) + "x" + std::to_string(h) + ".bmp"); }

// Puts the pane, the titles and the mode back as at start, whatever a test
// did; declared before the test's BrowseIn so it runs last.
struct FreshPane {
    ~FreshPane() {
        TOkno& w = *Okno;
        w.AutoSize->Click();
        w.Image->Picture().Assign(nullptr);
        const Box pane = OknoBox("ImgPanel");
        w.ImgPanel->SetBounds(pane.left, pane.top, pane.width, pane.height);
        w.Image->SetAlign(TAlign::alClient);
        w.Image->SetCenter(true);
        w.Image->SetStretch(false);
        w.DolnyPosuvak->SetWidth(OknoBox("DolnyPosuvak").width);
        w.ResetScrolling();
        w.SetCaption(u"Korvel Lumeno");
        Application->SetTitle(u"Korvel Lumeno");
        w.DolnyPanel->SetSimpleText(u"");
    }
};

// A real mouse selection of the file's row.
void Pick(const std::u16string& name) {
    TFileListBox& files = *MainWindow().files;
    const int row = RowOf(files, name);
    REQUIRE(row >= 0);
    ClickRow(files, row);
    Pump();
}

void CheckPanel(const Box& b) {
    const TPanel& p = *Okno->ImgPanel;
    CHECK(p.Left() == b.left);
    CHECK(p.Top() == b.top);
    CHECK(p.Width() == b.width);
    CHECK(p.Height() == b.height);
}

bool Shown(const TControl& c) { return c.Visible() && IsWindowVisible(c.Handle()); }

void Scroll(TScrollBar& bar, WORD code) {
    const UINT msg = bar.Handle() == Okno->DolnyPosuvak->Handle() ? WM_HSCROLL : WM_VSCROLL;
    SendMessageA(Okno->Handle(), msg, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(bar.Handle()));
}

// The file list shows every file (the filter would put its mask back).
struct AllFilesShown {
    AllFilesShown() : wired(Okno->files->OnChange) {
        Okno->files->OnChange = nullptr;
        Okno->files->SetMask("*.*");
    }
    ~AllFilesShown() { Okno->files->OnChange = wired; }
    TNotifyEvent wired;
};

// Closes every notice box that comes up while it lives, keeping their texts.
// A press on a scroll arrow that the bar kept tracking would bring one after
// another: after the third it releases the press, so that cannot hang.
struct NoticeCloser {
    explicit NoticeCloser(HWND pressed) : bar(pressed) {
        current = this;
        timer = SetTimer(nullptr, 0, 50, Poll);
    }
    ~NoticeCloser() {
        KillTimer(nullptr, timer);
        current = nullptr;
    }
    static BOOL CALLBACK Close(HWND wnd, LPARAM) {
        auto* box = dynamic_cast<TMessageForm*>(TControl::FromHandle(wnd));
        if (!box || !IsWindowVisible(wnd) || wnd == current->answered) return TRUE;
        current->answered = wnd;
        current->texts.push_back(box->Text());
        PostMessageA(wnd, WM_KEYDOWN, VK_RETURN, 0);
        if (current->texts.size() == 3) PostMessageA(current->bar, WM_LBUTTONUP, 0, 0);
        return FALSE;
    }
    static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD) {
        if (current) EnumThreadWindows(GetCurrentThreadId(), Close, 0);
    }
    static inline NoticeCloser* current = nullptr;
    HWND bar;
    HWND answered = nullptr;
    UINT_PTR timer = 0;
    std::vector<std::u16string> texts;
};

// A press on the right or bottom arrow of a bar, as the mouse gives it: the
// bar tracks it and sends its scroll codes itself until the release.
void PressArrow(TScrollBar& bar) {
    const LPARAM at = MAKELPARAM(bar.Width() - 8, bar.Height() - 8);
    SendMessageA(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
}

// A click: the release waits in the queue for the bar's tracking.
void ClickArrow(TScrollBar& bar) {
    PostMessageA(bar.Handle(), WM_LBUTTONUP, 0, 0);
    PressArrow(bar);
}

struct PaneCase {
    int w, h;
    Box panel;
    bool stretch;
};
}  // namespace

TEST_CASE("the automatic mode's shrinking: divide, multiply, round half to even") {
    CHECK(ShrinkToFit(266, 100).steps == 2);
    CHECK(ShrinkToFit(266, 100).width == doctest::Approx(260.7066));
    CHECK(ShrinkToFit(1024, 768).steps == 149);
    CHECK(ShrinkToFit(3000, 2000).steps == 244);
    CHECK(RoundHalfEven(2.5) == 2);
    CHECK(RoundHalfEven(3.5) == 4);
    CHECK(RoundHalfEven(260.7066) == 261);
}

TEST_CASE("automatic mode: small pictures at natural size, large ones shrunk and stretched") {
    MainWindow();
    FreshPane fresh;
    TempFolder temp;
    const std::vector<PaneCase> cases = {
        {100, 50, {86, 247, 104, 54}, false},    {265, 177, {4, 184, 269, 181}, false},
        {266, 100, {4, 221, 265, 102}, true},    {266, 177, {5, 184, 262, 176}, true},
        {1024, 768, {20, 184, 233, 176}, true},  {800, 600, {19, 184, 234, 177}, true},
        {2000, 100, {4, 264, 264, 17}, true},    {100, 1000, {126, 184, 21, 176}, true}};
    for (const PaneCase& c : cases) temp.Write(SizeName(c.w, c.h), BlankBmp(c.w, c.h));
    BrowseIn browse(temp.Path());
    TOkno& w = MainWindow();
    for (const PaneCase& c : cases) {
        CAPTURE(SizeName(c.w, c.h));
        Pick(SizeName(c.w, c.h));
        CheckPanel(c.panel);
        CHECK(w.Image->Align() == TAlign::alClient);
        CHECK(w.Image->Stretch() == c.stretch);
        CHECK(w.Image->Center() == !c.stretch);
        CHECK(w.Image->Width() == c.panel.width - 4);
        CHECK(w.Image->Height() == c.panel.height - 4);
        CHECK_FALSE(Shown(*w.DolnyPosuvak));
        CHECK_FALSE(Shown(*w.HornyPosuvak));
    }
}

TEST_CASE("actual-size mode: natural size, a bar for each direction that does not fit") {
    MainWindow();
    FreshPane fresh;
    TempFolder temp;
    struct ActualCase {
        int w, h;
        Box panel;
        bool fill, horz, vert;
    };
    const std::vector<ActualCase> cases = {{100, 50, {84, 245, 104, 54}, true, false, false},
                                           {250, 100, {9, 220, 254, 104}, false, false, false},
                                           {200, 300, {34, 184, 204, 161}, false, false, true},
                                           {300, 200, {8, 184, 249, 161}, false, true, true},
                                           // Wide and low: centred on the same line as the others.
                                           {300, 100, {8, 220, 265, 104}, false, true, false}};
    for (const ActualCase& c : cases) temp.Write(SizeName(c.w, c.h), BlankBmp(c.w, c.h));
    BrowseIn browse(temp.Path());
    TOkno& w = MainWindow();
    w.FullSize->Click();
    for (const ActualCase& c : cases) {
        CAPTURE(SizeName(c.w, c.h));
        Pick(SizeName(c.w, c.h));
        CheckPanel(c.panel);
        CHECK(w.Image->Align() == (c.fill ? TAlign::alClient : TAlign::alNone));
        CHECK(w.Image->Center() == c.fill);
        if (!c.fill) {
            CHECK(w.Image->Left() == 0);
            CHECK(w.Image->Top() == 0);
            CHECK(w.Image->Width() == c.w);
        }
        CHECK(Shown(*w.DolnyPosuvak) == c.horz);
        CHECK(Shown(*w.HornyPosuvak) == c.vert);
        if (c.horz) CHECK(w.DolnyPosuvak->Width() == c.panel.width);
    }

    SUBCASE("the bars scroll exactly the hidden part, 8 pixels a step, from the first preview on") {
        Pick(SizeName(300, 200));
        for (int round = 0; round < 2; ++round) {
            CHECK(w.DolnyPosuvak->Max() == 7);
            CHECK(w.HornyPosuvak->Max() == 5);
            CHECK(w.DolnyPosuvak->LargeChange() == 1);
            CHECK(w.HornyPosuvak->LargeChange() == 1);
            w.FullSize->Click();  // previews the same file again
        }
        for (int i = 0; i < 3; ++i) Scroll(*w.DolnyPosuvak, SB_LINEDOWN);
        CHECK(w.DolnyPosuvak->Position() == 3);
        CHECK(w.Image->Left() == -24);
        ClickArrow(*w.DolnyPosuvak);
        CHECK(w.DolnyPosuvak->Position() == 4);
        CHECK(w.Image->Left() == -32);
        Scroll(*w.DolnyPosuvak, SB_LINEUP);
        Scroll(*w.HornyPosuvak, SB_BOTTOM);
        CHECK(w.HornyPosuvak->Position() == 5);
        CHECK(w.Image->Top() == -40);
        Pick(SizeName(250, 100));
        CHECK(w.Image->Left() == 0);
        CHECK(w.Image->Top() == 0);
        CHECK(w.DolnyPosuvak->Position() == 0);
    }
    SUBCASE("a horizontal range above 65535 gives the notice and leaves the picture") {
        temp.Write(u"wide.bmp", BlankBmp(600000, 1));
        w.files->Update();
        Pick(u"wide.bmp");
        REQUIRE(w.DolnyPosuvak->Max() > 65535);
        // One press on the arrow is one action: one notice, one step, and the
        // bar's tracking and repeat end with the notice.
        NoticeCloser closer(w.DolnyPosuvak->Handle());
        PressArrow(*w.DolnyPosuvak);
        CHECK(closer.texts == std::vector<std::u16string>{u"Scrollbar ranges > 65535 not supported"});
        CHECK(w.Image->Left() == 0);
        CHECK(w.DolnyPosuvak->Position() == 1);
        CHECK(GetCapture() == nullptr);
        // Past the bar's repeat delay nothing more comes.
        for (int i = 0; i < 25; ++i) {
            Sleep(20);
            Pump();
        }
        CHECK(closer.texts.size() == 1);
        CHECK(w.DolnyPosuvak->Position() == 1);
    }
}

TEST_CASE("a preview sets caption, title and status text, and puts the pointer back") {
    MainWindow();
    FreshPane fresh;
    TempFolder temp;
    temp.Write(u"foto.jpg", BuildJpeg({1024, 768}));
    BrowseIn browse(temp.Path());
    TOkno& w = MainWindow();
    Pick(u"foto.jpg");
    CHECK(w.Caption() == u"Tarnik Lumeno - foto.jpg");
    CHECK(Application->Title() == u"Tarnik Lumeno - foto.jpg");
    CHECK(w.DolnyPanel->SimpleText() == u"foto.jpg; šírka: 1024, výška: 768");
    CHECK(w.DolnyPanel->PanelText() == w.DolnyPanel->SimpleText());
    CHECK(Application->Cursor() == TCursor::crDefault);
    // The pane painted before the command ended: the JPEG is decoded.
    auto* jpeg = dynamic_cast<TJPEGImage*>(w.Image->Picture().Graphic());
    REQUIRE(jpeg);
    CHECK(jpeg->DecodedBitmap() != nullptr);
}

TEST_CASE("failed loads keep the picture, pane, bars, caption and title; the pointer comes back") {
    MainWindow();
    FreshPane fresh;
    TempFolder temp;
    temp.Write(u"good.bmp", BlankBmp(100, 50));
    temp.Write(u"a.xyz", BlankBmp(10, 10));
    temp.Write(u"bitmap.jpg", BlankBmp(10, 10));
    BrowseIn browse(temp.Path());
    TOkno& w = MainWindow();
    AllFilesShown all;
    Pick(u"good.bmp");
    const std::u16string caption = w.Caption();
    const struct {
        const char16_t* name;
        std::u16string message;
    } failures[] = {{u"a.xyz", u"Unknown picture file extension (.xyz)"},
                    {u"bitmap.jpg", Wide("JPEG error #" + std::to_string(codec::jpeg::kErrNotJpeg) + ".")}};
    for (const auto& f : failures) {
        CaptureErrors errors;
        Pick(f.name);
        REQUIRE(errors.texts.size() == 1);
        CHECK(errors.texts[0] == f.message);
        CHECK(dynamic_cast<TBitmap*>(w.Image->Picture().Graphic()));
        CHECK(w.Image->Picture().Width() == 100);
        CheckPanel({86, 247, 104, 54});
        CHECK(w.Image->Align() == TAlign::alNone);
        CHECK_FALSE(w.Image->Center());
        CHECK_FALSE(Shown(*w.DolnyPosuvak));
        CHECK_FALSE(Shown(*w.HornyPosuvak));
        CHECK(w.Caption() == caption);
        CHECK(Application->Title() == caption);
        CHECK(Application->Cursor() == TCursor::crDefault);
    }
}

// The colour the pane shows at its middle, as 0x00RRGGBB.
uint32_t PaneMiddle() {
    const TImage& image = *Okno->Image;
    HDC dc = GetDC(image.Handle());
    const COLORREF c = GetPixel(dc, image.Width() / 2, image.Height() / 2);
    ReleaseDC(image.Handle(), dc);
    return Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

// The preview painted, the program finds itself idle.
void Idle() {
    Pump();
    Application->RunIdleWork();
}

TEST_CASE("JPEG data damaged past its header: the preview completes and the pane reports once") {
    MainWindow();
    FreshPane fresh;
    TempFolder temp;
    temp.Write(u"cvet.jpg", BuildJpeg({40, 30}));
    temp.Write(u"damaged.jpg", WithoutSegments(BuildJpeg({40, 30}), 0xDB));
    temp.Write(u"cut.jpg", CutInScan(BuildJpeg({64, 64, 0xFF0000, 0x0000FF})));
    BrowseIn browse(temp.Path());
    TOkno& w = MainWindow();
    std::u16string alone;
    for (bool readAhead : {false, true}) {
        CAPTURE(readAhead);
        if (readAhead) {
            Pick(u"cvet.jpg");
            Idle();
            CHECK(w.PictureAhead.Path() == temp.File(u"damaged.jpg"));
        }
        CaptureErrors errors;
        Pick(u"damaged.jpg");
        CHECK(w.Caption() == u"Tarnik Lumeno - damaged.jpg");
        CheckPanel({116, 257, 44, 34});
        REQUIRE(errors.texts.size() == 1);
        CHECK(errors.texts[0].rfind(u"JPEG error #", 0) == 0);
        if (readAhead) CHECK(errors.texts[0] == alone);
        alone = errors.texts[0];
        w.Image->Repaint();
        CHECK(errors.texts.size() == 1);

        Pick(u"cut.jpg");
        CHECK(errors.texts.size() == 1);
        CHECK(w.Image->Picture().Height() == 64);
    }
}

TEST_CASE("the file below is read ahead: changed on disk it shows as it is; a selection elsewhere drops it") {
    MainWindow();
    FreshPane fresh;
    TempFolder temp;
    for (const char16_t* name : {u"a.jpg", u"b.jpg", u"c.jpg"}) temp.Write(name, BuildJpeg({400, 300, 0xFF0000, 0xFF0000}));
    BrowseIn browse(temp.Path());
    TOkno& w = MainWindow();
    Pick(u"a.jpg");
    Idle();
    CHECK(w.PictureAhead.Path() == temp.File(u"b.jpg"));
    temp.Write(u"b.jpg", BuildJpeg({400, 300, 0x0000FF, 0x0000FF}));
    Pick(u"b.jpg");
    CHECK(PaneMiddle() == Rgb(0, 0, 254));
    Idle();
    CHECK(w.PictureAhead.Path() == temp.File(u"c.jpg"));
    Pick(u"a.jpg");
    CHECK(w.PictureAhead.Path().empty());
    CHECK(PaneMiddle() == Rgb(254, 0, 0));
}

TEST_CASE("the open command loads into the pane and changes nothing else") {
    MainWindow();
    FreshPane fresh;
    TempFolder temp;
    temp.Write(u"big.bmp", BlankBmp(400, 300));
    temp.Write(u"small.bmp", BlankBmp(50, 40));
    BrowseIn browse(temp.Path());
    TOkno& w = MainWindow();
    w.FullSize->Click();
    Pick(u"small.bmp");
    const std::u16string caption = w.Caption();
    const bool answered = Answering("#32770", [] { SendMenuCommand(Okno->Open1); },
                                    [&](HWND dialog) {
                                        HWND name = GetDlgItem(dialog, 0x47c);
                                        if (!name) name = GetDlgItem(dialog, 0x480);
                                        SetWindowTextW(name, WidePtr(temp.File(u"big.bmp")));
                                        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                                    });
    REQUIRE(answered);
    CHECK(w.Image->Picture().Width() == 400);
    CHECK(w.Caption() == caption);
    CheckPanel({109, 250, 54, 44});
    CHECK(Shown(*w.DolnyPosuvak));
    CHECK(Shown(*w.HornyPosuvak));
    // Client-aligned and centred from the last preview: the bars have nothing to scroll.
    CHECK(w.Image->Align() == TAlign::alClient);
    CHECK(w.DolnyPosuvak->Max() == 0);
}
