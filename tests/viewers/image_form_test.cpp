// The windowed viewer: sizing by the picture inside the 1024 x 768 desktop,
// closing, the taskbar, the copy commands and the open command's paths.
#include <windows.h>

#include <string>
#include <vector>

#include "app/okno.h"
#include "../picture/jpeg_testing.h"
#include "../picture/picture_testing.h"
#include "fixture.h"
#include "picture/clipboard.h"
#include "picture/jpeg_image.h"
#include "picture/read_ahead.h"
#include "platform/exceptions.h"
#include "platform/text.h"
#include "testing.h"
#include "viewer_testing.h"
#include "viewers/image_form.h"
#include "viewers/taskbar.h"

namespace {
struct Seen {
    Rect window{}, client{};
    RECT paint{};
    int imageTop = -1, imageWidth = -1, imageHeight = -1;
    std::u16string caption;
    bool modal = false;
};

Seen Look(HWND wnd) {
    Seen s;
    s.window = WindowBox(wnd);
    s.client = ClientBox(wnd);
    s.paint = ImageForm->Image->PaintRect();
    s.imageTop = ImageForm->Image->Top();
    s.imageWidth = ImageForm->Image->Width();
    s.imageHeight = ImageForm->Image->Height();
    s.caption = ImageForm->Caption();
    s.modal = ImageForm->Modal();
    return s;
}

void PressEnter(HWND wnd) { SendMessageA(wnd, WM_CHAR, '\r', 0); }

// Shows the file in the viewer, looks at it and closes it with Enter.
Seen ShowAndLook(const std::u16string& path) {
    Seen seen;
    bool up = WhileUp([&] { ImageForm->ShowFile(path); },
                      [&](HWND wnd) {
                          seen = Look(wnd);
                          PressEnter(wnd);
                      });
    CHECK(up);
    CHECK_FALSE(IsWindowVisible(ImageForm->Handle()));
    return seen;
}

COLORREF ScreenPixel(long x, long y) {
    HDC dc = GetDC(nullptr);
    COLORREF c = GetPixel(dc, int(x), int(y));
    ReleaseDC(nullptr, dc);
    return c;
}
}  // namespace

TEST_CASE("windowed viewer: built with a tool-window frame, a 5-pixel strip and the copy item") {
    MainWindow();
    TImageForm& f = *ImageForm;
    LONG ex = GetWindowLongA(f.Handle(), GWL_EXSTYLE);
    LONG style = GetWindowLongA(f.Handle(), GWL_STYLE);
    CHECK((ex & WS_EX_TOOLWINDOW) != 0);
    CHECK((style & WS_SYSMENU) != 0);
    CHECK((style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) == 0);
    CHECK(f.ToolBar1->Height() == 5);
    CHECK(f.ToolBar1->Align() == TAlign::alTop);
    CHECK(f.Image->Align() == TAlign::alClient);
    CHECK(f.Image->AutoSize());
    CHECK(f.Image->Center());
    CHECK_FALSE(f.Image->Stretch());
    CHECK(f.pravy1->Caption() == "&Úpravy");
    CHECK(f.Koprovaobrzok1->Caption() == "Kopírovať obrázok");
    CHECK(f.Koprovaobrzok1->ShortCut() == (scCtrl | 'C'));
    CHECK(f.Koprovaobrzok1->HasGlyph());
    CHECK(GetMenu(f.Handle()) == f.MainMenu1.Handle());
}

TEST_CASE("windowed viewer: the window is sized by the picture and centred on the screen") {
    MainWindow();
    TempFolder temp;
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    REQUIRE(screenW == 1024);
    REQUIRE(screenH == 768);

    SUBCASE("32 x 32: outer 200 x 200, picture centred in the area under the strip") {
        Seen s = ShowAndLook(WriteBmp(temp, u"maly.bmp", 32, 32));
        CHECK(s.window.width == 200);
        CHECK(s.window.height == 200);
        CHECK(s.window.left == (1024 - 200) / 2);
        CHECK(s.window.top == (768 - 200) / 2);
        CHECK(s.imageTop == 5);
        CHECK(s.imageWidth == s.client.width);
        CHECK(s.imageHeight == s.client.height - 5);
        CHECK(s.paint.left == (s.imageWidth - 32) / 2);
        CHECK(s.paint.top == (s.imageHeight - 32) / 2);
        CHECK(s.caption == u"maly.bmp");
        CHECK(s.modal);
    }
    SUBCASE("exactly 200 x 200 keeps the outer 200 x 200 and is cut") {
        Seen s = ShowAndLook(WriteBmp(temp, u"dvesto.bmp", 200, 200));
        CHECK(s.window.width == 200);
        CHECK(s.window.height == 200);
        CHECK(s.paint.left < 0);
        CHECK(s.paint.top < 0);
    }
    SUBCASE("201 wide: client width 201, outer height still 200") {
        Seen s = ShowAndLook(WriteBmp(temp, u"siroky.bmp", 201, 50));
        CHECK(s.client.width == 201);
        CHECK(s.window.height == 200);
        CHECK(s.window.left == (1024 - s.window.width) / 2);
    }
    SUBCASE("400 high: client height 400, 395 of it show the picture, cut at top and bottom") {
        Seen s = ShowAndLook(WriteBmp(temp, u"vysoky.bmp", 50, 400));
        CHECK(s.client.height == 400);
        CHECK(s.window.width == 200);
        CHECK(s.imageHeight == 395);
        CHECK(s.paint.top == (395 - 400) / 2);
        CHECK(s.window.top == (768 - s.window.height) / 2);
    }
    SUBCASE("wider than the screen: exactly as wide as the screen at left 0, cut at both sides") {
        Seen s = ShowAndLook(WriteBmp(temp, u"panorama.bmp", 1100, 60));
        CHECK(s.window.width == 1024);
        CHECK(s.window.left == 0);
        CHECK(s.window.height == 200);
        CHECK(s.paint.left == (s.imageWidth - 1100) / 2);
        CHECK(s.paint.left < 0);
        CHECK(s.paint.right > s.imageWidth);
    }
    SUBCASE("a few pixels narrower than the screen: client as wide as the picture, right edge off screen") {
        Seen s = ShowAndLook(WriteBmp(temp, u"takmer.bmp", 1020, 60));
        CHECK(s.client.width == 1020);
        CHECK(s.window.width > 1024);
        CHECK(s.window.left == 0);
        CHECK(s.window.left + s.window.width > 1024);
    }
    SUBCASE("taller than the screen: exactly as high as the screen at top 0") {
        Seen s = ShowAndLook(WriteBmp(temp, u"stlp.bmp", 60, 900));
        CHECK(s.window.height == 768);
        CHECK(s.window.top == 0);
        CHECK(s.window.width == 200);
    }
}

TEST_CASE("windowed viewer: the picture is really drawn in the middle of the button-face window") {
    MainWindow();
    TempFolder temp;
    std::u16string path = WriteBmp(temp, u"stvorec.bmp", 32, 32);
    ImageForm->Image->Picture().LoadFile(path);
    ImageForm->Show();  // painted as it shows, before any message is handled
    CHECK_FALSE(GetUpdateRect(ImageForm->Image->Handle(), nullptr, FALSE));
    ImageForm->Hide();
    COLORREF middle = CLR_INVALID, corner = CLR_INVALID;
    WhileUp([&] { ImageForm->ShowFile(path); },
            [&](HWND wnd) {
                RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                Rect image = ClientBox(ImageForm->Image->Handle());
                middle = ScreenPixel(image.left + image.width / 2, image.top + image.height / 2);
                corner = ScreenPixel(image.left + 2, image.top + 2);
                PressEnter(wnd);
            });
    CHECK(middle == RGB(200, 40, 40));
    CHECK(corner == GetSysColor(COLOR_BTNFACE));
}

TEST_CASE("windowed viewer: on the previewed picture it draws what it draws of the file loaded alone") {
    MainWindow();
    TempFolder temp;
    temp.Write(u"dva.jpg", BuildJpeg({300, 200, 0xFF0000, 0x0000FF}));
    const std::u16string path = temp.File(u"dva.jpg");
    TPicture previewed;
    previewed.LoadFile(path);
    Render(*previewed.Graphic(), 30, 20);
    std::vector<COLORREF> seen[2];
    for (int shared = 0; shared < 2; ++shared)
        WhileUp([&] { ImageForm->ShowFile(path, shared ? PixelReuse{&previewed, nullptr} : PixelReuse()); },
                [&](HWND wnd) {
                    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                    const Rect image = ClientBox(ImageForm->Image->Handle());
                    const long x = image.left + image.width / 2 - 140, y = image.top + image.height / 2 - 90;
                    for (int i = 0; i < 25; ++i) seen[shared].push_back(ScreenPixel(x + i % 5 * 70, y + i / 5 * 45));
                    TGraphic* shown = ImageForm->Image->Picture().Graphic();
                    CHECK_FALSE(shown->Equals(*previewed.Graphic()));
                    // One copy of the file in memory when the viewer shares.
                    const auto bytesOf = [](TGraphic* g) { return dynamic_cast<TJPEGImage&>(*g).Bytes().data(); };
                    CHECK((bytesOf(shown) == bytesOf(previewed.Graphic())) == bool(shared));
                    PressEnter(wnd);
                });
    REQUIRE(seen[0].size() == 25);
    CHECK(seen[1] == seen[0]);
}

TEST_CASE("windowed viewer: Enter, a double-click on the picture and the close button close it; the taskbar comes back") {
    MainWindow();
    TempFolder temp;
    std::u16string path = WriteBmp(temp, u"zatvor.bmp", 40, 30);
    REQUIRE(Taskbar() != nullptr);
    auto closeWith = [&](void (*close)(HWND)) {
        ShowTaskbar(false);
        SettleTaskbar();
        REQUIRE_FALSE(IsWindowVisible(Taskbar()));
        bool stayed = false;
        bool up = WhileUp([&] { ImageForm->ShowFile(path); },
                          [&](HWND wnd) {
                              // Keys other than Enter are ignored.
                              SendMessageA(wnd, WM_CHAR, 'x', 0);
                              SendMessageA(wnd, WM_CHAR, 27, 0);
                              Pump();
                              stayed = IsWindowVisible(wnd) && ImageForm->ModalResult() == mrNone;
                              close(wnd);
                          });
        CHECK(up);
        CHECK(stayed);
        CHECK_FALSE(IsWindowVisible(ImageForm->Handle()));
        CHECK(IsWindowVisible(Taskbar()));
    };
    SUBCASE("Enter") { closeWith([](HWND wnd) { SendMessageA(wnd, WM_CHAR, '\r', 0); }); }
    SUBCASE("double-click on the picture") {
        closeWith([](HWND) {
            HWND image = ImageForm->Image->Handle();
            SendMessageA(image, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            SendMessageA(image, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
            SendMessageA(image, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
            SendMessageA(image, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        });
    }
    SUBCASE("the caption's close button") {
        closeWith([](HWND wnd) { SendMessageA(wnd, WM_SYSCOMMAND, SC_CLOSE, 0); });
    }
    ShowTaskbar(true);
}

TEST_CASE("windowed viewer: a failed load leaves before the window changes") {
    MainWindow();
    TempFolder temp;
    std::u16string good = WriteBmp(temp, u"dobry.bmp", 40, 40);
    ShowAndLook(good);
    temp.Write(u"zly.bmp", std::vector<unsigned char>(64, 'X'));
    CHECK_THROWS_WITH_AS(ImageForm->ShowFile(temp.File(u"zly.bmp")), "Bitmap image is not valid", EInvalidGraphic);
    CHECK_THROWS_WITH_AS(ImageForm->ShowFile(temp.File(u"a.xyz")), "Unknown picture file extension (.xyz)",
                         EInvalidGraphic);
    CHECK_FALSE(IsWindowVisible(ImageForm->Handle()));
    CHECK(ImageForm->Caption() == u"dobry.bmp");
    CHECK(ImageForm->Image->Picture().Width() == 40);
}

TEST_CASE("copy commands: the viewer's picture and the preview's picture go on the clipboard") {
    TOkno& w = MainWindow();
    TempFolder temp;
    auto clipboardBitmapWidth = [] {
        long width = -1;
        if (OpenClipboard(nullptr)) {
            if (auto bmp = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
                BITMAP info{};
                GetObjectA(bmp, sizeof info, &info);
                width = info.bmWidth;
            }
            CloseClipboard();
        }
        return width;
    };
    SUBCASE("the viewer's command, while it is up") {
        std::u16string path = WriteBmp(temp, u"kopia.bmp", 37, 21);
        WhileUp([&] { ImageForm->ShowFile(path); },
                [&](HWND wnd) {
                    SendMessageA(wnd, WM_COMMAND, MAKEWPARAM(ImageForm->Koprovaobrzok1->Command(), 0), 0);
                    PressEnter(wnd);
                });
        CHECK(clipboardBitmapWidth() == 37);
    }
    SUBCASE("the main window's command copies the preview, not the selected file") {
        KeepMainFolder keep;
        WriteBmp(temp, u"vybrany.bmp", 11, 11);
        w.Image->Picture().LoadFile(WriteBmp(temp, u"nahlad.bmp", 23, 19));
        REQUIRE(SelectFile(w, temp.Path(), u"vybrany.bmp"));
        SendMessageA(w.Handle(), WM_COMMAND, MAKEWPARAM(w.Koprova1->Command(), 0), 0);
        CHECK(clipboardBitmapWidth() == 23);
    }
}

TEST_CASE("open command: the selected file in the windowed viewer, the pointer back to default on every path") {
    TOkno& w = MainWindow();
    TempFolder temp;
    KeepMainFolder keep;
    WriteBmp(temp, u"obrazok.bmp", 64, 48);
    temp.Write(u"pokazeny.bmp", std::vector<unsigned char>(64, 'X'));
    REQUIRE_FALSE(w.FullScreen->Checked());

    SUBCASE("Enter in the file list opens it; Enter in the viewer closes it") {
        REQUIRE(SelectFile(w, temp.Path(), u"obrazok.bmp"));
        Seen seen;
        bool up = WhileUp([&] { SendMessageA(w.files->Handle(), WM_CHAR, '\r', 0); },
                          [&](HWND wnd) {
                              seen = Look(wnd);
                              // Real keys: the viewer must hold the keyboard focus.
                              INPUT keys[2] = {};
                              keys[0].type = keys[1].type = INPUT_KEYBOARD;
                              keys[0].ki.wVk = keys[1].ki.wVk = VK_RETURN;
                              keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
                              SendInput(2, keys, sizeof(INPUT));
                          });
        CHECK(up);
        CHECK(seen.caption == u"obrazok.bmp");
        CHECK(seen.modal);
        CHECK_FALSE(IsWindowVisible(ImageForm->Handle()));
        CHECK(TestApplication().Cursor() == TCursor::crDefault);
        CHECK(IsWindowEnabled(w.Handle()));
    }
    SUBCASE("a double-click in the file list opens it too") {
        REQUIRE(SelectFile(w, temp.Path(), u"obrazok.bmp"));
        bool up = WhileUp([&] { w.filesDblClick(w.files.get()); }, [&](HWND wnd) { PressEnter(wnd); });
        CHECK(up);
    }
    SUBCASE("nothing selected: no window") {
        w.Dir->SetDirectory(temp.Path());
        w.files->SetItemIndex(-1);
        bool up = WhileUp([&] { w.DvojKlikniNaSubor(); }, [&](HWND wnd) { PressEnter(wnd); });
        CHECK_FALSE(up);
        CHECK(TestApplication().Cursor() == TCursor::crDefault);
    }
    SUBCASE("the file vanished since the list was read: no window") {
        REQUIRE(SelectFile(w, temp.Path(), u"obrazok.bmp"));
        DeleteFileW(WidePtr(temp.File(u"obrazok.bmp")));
        bool up = WhileUp([&] { w.DvojKlikniNaSubor(); }, [&](HWND wnd) { PressEnter(wnd); });
        CHECK_FALSE(up);
    }
    SUBCASE("a failed load leaves the command with its error") {
        REQUIRE(SelectFile(w, temp.Path(), u"pokazeny.bmp"));
        CHECK_THROWS_AS(w.DvojKlikniNaSubor(), EInvalidGraphic);
        CHECK_FALSE(IsWindowVisible(ImageForm->Handle()));
        CHECK(TestApplication().Cursor() == TCursor::crDefault);
    }
}
