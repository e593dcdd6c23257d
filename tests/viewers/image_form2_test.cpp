// The full-screen viewer: centring by halves, the taskbar, drag panning
// along the one axis that does not fit, and closing.
#include <windows.h>

#include <string>
#include <vector>

#include "../picture/picture_testing.h"
#include "app/okno.h"
#include "fixture.h"
#include "platform/exceptions.h"
#include "platform/text.h"
#include "testing.h"
#include "ui/rects.h"
#include "viewer_testing.h"
#include "viewers/image_form2.h"
#include "viewers/taskbar.h"

namespace {
struct Seen {
    Rect window{};
    int left = 0, top = 0, width = 0, height = 0;
    bool taskbarVisible = true;
};

Seen Look(HWND wnd) {
    Seen s;
    s.window = WindowBox(wnd);
    s.left = ImageForm2->Image->Left();
    s.top = ImageForm2->Image->Top();
    s.width = ImageForm2->Image->Width();
    s.height = ImageForm2->Image->Height();
    s.taskbarVisible = IsWindowVisible(Taskbar()) != FALSE;
    return s;
}

void PressEnter(HWND wnd) { SendMessageA(wnd, WM_CHAR, '\r', 0); }

// Mouse messages at a point of the picture, as the system sends them to its
// window (which covers only the part on the screen).
void Mouse(UINT msg, WPARAM keys, int x, int y) {
    HWND image = ImageForm2->Image->Handle();
    POINT at{ImageForm2->Image->Left() + x, ImageForm2->Image->Top() + y};
    MapWindowPoints(ImageForm2->Handle(), image, &at, 1);
    SendMessageA(image, msg, keys, MAKELPARAM(at.x, at.y));
}

POINT Where() { return POINT{ImageForm2->Image->Left(), ImageForm2->Image->Top()}; }

// Stripes 3 pixels wide across the axis a drag moves the picture along, in
// 16 colours, so that a strip painted at the wrong place shows.
COLORREF Stripe(int at) {
    const int i = at / 3 % 16;
    return RGB(i * 16, 255 - i * 16, i * 40 % 256);
}

std::u16string WriteStriped(const TempFolder& folder, const std::u16string& name, int width, int height) {
    const bool across = width > height;
    pictest::BmpFields f;
    f.width = width;
    f.height = height;
    f.bits = 8;
    f.clrUsed = 16;
    for (int i = 0; i < 16; ++i) {
        const COLORREF c = Stripe(i * 3);
        f.colours.insert(f.colours.end(), {GetBValue(c), GetGValue(c), GetRValue(c), 0});
    }
    const int stride = (width + 3) / 4 * 4;
    f.pixels.assign(size_t(stride) * size_t(height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            f.pixels[size_t(height - 1 - y) * size_t(stride) + size_t(x)] = uint8_t((across ? x : y) / 3 % 16);
    folder.Write(name, pictest::BuildBmp(f));
    return folder.File(name);
}

// The screen's pixels along the line through its middle on the drag's axis
// that differ from the picture where it is now (black around it).
int WrongPixels(HWND form, bool across) {
    HDC dc = GetDCEx(form, nullptr, DCX_CACHE);  // the children's pixels too
    const POINT at = Where();
    const int length = across ? 1024 : 768, size = across ? ImageForm2->Image->Width() : ImageForm2->Image->Height();
    int wrong = 0;
    for (int i = 0; i < length; ++i) {
        const int inside = i - (across ? at.x : at.y);
        const COLORREF want = inside >= 0 && inside < size ? Stripe(inside) : RGB(0, 0, 0);
        wrong += GetPixel(dc, across ? i : 512, across ? 384 : i) != want;
    }
    ReleaseDC(form, dc);
    return wrong;
}
}  // namespace

TEST_CASE("full-screen viewer: the halves rule, each half truncated toward zero") {
    CHECK(HalvesOffset(800, 333) == 234);
    CHECK(HalvesOffset(600, 1001) == -200);
    CHECK(HalvesOffset(1024, 1025) == 0);
    CHECK(HalvesOffset(1024, 1024) == 0);
    CHECK(HalvesOffset(1024, 1027) == -1);
    CHECK(HalvesOffset(768, 101) == 334);
}

TEST_CASE("full-screen viewer: borderless black window over the screen, picture centred, taskbar hidden meanwhile") {
    MainWindow();
    TempFolder temp;
    REQUIRE(Taskbar() != nullptr);
    ShowTaskbar(true);
    CHECK((GetWindowLongA(ImageForm2->Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME)) == 0);
    CHECK(GetMenu(ImageForm2->Handle()) == nullptr);
    CHECK(ImageForm2->Color() == RGB(0, 0, 0));
    CHECK(ImageForm2->Image->Cursor == TCursor::crHandPoint);

    struct Case {
        const char16_t* name;
        int w, h, left, top;
    };
    const Case cases[] = {
        {u"mensi.bmp", 100, 50, 512 - 50, 384 - 25},
        {u"rovnaky.bmp", 1024, 768, 0, 0},
        {u"sirsi.bmp", 1500, 300, 512 - 750, 384 - 150},
        {u"vyssi.bmp", 301, 1000, 512 - 150, 384 - 500},
        {u"vacsi.bmp", 1025, 1001, 0, 384 - 500},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        std::u16string path = WriteBmp(temp, c.name, c.w, c.h);
        Seen s;
        bool up = WhileUp([&] { ImageForm2->ShowFile(path); },
                          [&](HWND wnd) {
                              s = Look(wnd);
                              PressEnter(wnd);
                          });
        CHECK(up);
        CHECK(s.window.left == 0);
        CHECK(s.window.top == 0);
        CHECK(s.window.width == 1024);
        CHECK(s.window.height == 768);
        CHECK(s.left == c.left);
        CHECK(s.top == c.top);
        CHECK(s.width == c.w);
        CHECK(s.height == c.h);
        CHECK_FALSE(s.taskbarVisible);
        CHECK(IsWindowVisible(Taskbar()));
        CHECK_FALSE(IsWindowVisible(ImageForm2->Handle()));
    }
}

TEST_CASE("full-screen viewer: a picture smaller than the screen shows on black") {
    MainWindow();
    TempFolder temp;
    std::u16string path = WriteBmp(temp, u"cierne.bmp", 40, 40);
    COLORREF corner = CLR_INVALID, middle = CLR_INVALID;
    WhileUp([&] { ImageForm2->ShowFile(path); },
            [&](HWND wnd) {
                RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                // Read the window's own surfaces: the screen may show other windows' leftovers.
                HDC form = GetDC(wnd);
                corner = GetPixel(form, 5, 5);
                ReleaseDC(wnd, form);
                HWND image = ImageForm2->Image->Handle();
                const RECT r = WindowRect(image);
                CHECK(r.left == 512 - 20);
                CHECK(r.top == 384 - 20);
                HDC dc = GetDC(image);
                middle = GetPixel(dc, 20, 20);
                ReleaseDC(image, dc);
                PressEnter(wnd);
            });
    CHECK(corner == RGB(0, 0, 0));
    CHECK(middle == RGB(200, 40, 40));
}

TEST_CASE("full-screen viewer: dragging moves only along the axis that does not fit, only while a button is held") {
    MainWindow();
    TempFolder temp;
    struct Drag {
        POINT start, afterLeftDrag, afterRelease, afterFreeMove, afterRightDrag, afterMiddleDrag;
    };
    auto dragOn = [&](const std::u16string& path) {
        Drag d{};
        WhileUp([&] { ImageForm2->ShowFile(path); },
                [&](HWND wnd) {
                    d.start = Where();
                    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
                    Mouse(WM_MOUSEMOVE, MK_LBUTTON, 130, 80);
                    d.afterLeftDrag = Where();
                    Mouse(WM_LBUTTONUP, 0, 130, 80);
                    d.afterRelease = Where();
                    Mouse(WM_MOUSEMOVE, 0, 10, 10);
                    d.afterFreeMove = Where();
                    Mouse(WM_RBUTTONDOWN, MK_RBUTTON, 50, 50);
                    Mouse(WM_MOUSEMOVE, MK_RBUTTON, 40, 70);
                    Mouse(WM_RBUTTONUP, 0, 40, 70);
                    d.afterRightDrag = Where();
                    Mouse(WM_MBUTTONDOWN, MK_MBUTTON, 50, 50);
                    Mouse(WM_MOUSEMOVE, MK_MBUTTON, 45, 60);
                    Mouse(WM_MBUTTONUP, 0, 45, 60);
                    d.afterMiddleDrag = Where();
                    PressEnter(wnd);
                });
        return d;
    };
    SUBCASE("wider than the screen: left and right only") {
        Drag d = dragOn(WriteBmp(temp, u"siroky.bmp", 1400, 500));
        CHECK(d.start.x == 512 - 700);
        CHECK(d.start.y == 384 - 250);
        CHECK(d.afterLeftDrag.x == d.start.x + 30);
        CHECK(d.afterLeftDrag.y == d.start.y);
        CHECK(d.afterFreeMove.x == d.afterRelease.x);
        CHECK(d.afterRightDrag.x == d.afterFreeMove.x - 10);
        CHECK(d.afterMiddleDrag.x == d.afterRightDrag.x - 5);
        CHECK(d.afterMiddleDrag.y == d.start.y);
        CHECK_FALSE(ImageForm2->DragActive);
    }
    SUBCASE("taller than the screen: up and down only") {
        Drag d = dragOn(WriteBmp(temp, u"vysoky.bmp", 500, 1400));
        CHECK(d.afterLeftDrag.x == d.start.x);
        CHECK(d.afterLeftDrag.y == d.start.y - 20);
        CHECK(d.afterFreeMove.y == d.afterRelease.y);
        CHECK(d.afterRightDrag.y == d.afterFreeMove.y + 20);
        CHECK(d.afterMiddleDrag.y == d.afterRightDrag.y + 10);
        CHECK(d.afterMiddleDrag.x == d.start.x);
    }
    SUBCASE("as large as the screen, smaller, or larger both ways: never moves") {
        for (auto [w, h] : {std::pair{1024, 768}, std::pair{300, 200}, std::pair{1400, 1400}}) {
            CAPTURE(w);
            Drag d = dragOn(WriteBmp(temp, Wide("pevny" + std::to_string(w) + ".bmp"), w, h));
            CHECK(d.afterLeftDrag.x == d.start.x);
            CHECK(d.afterLeftDrag.y == d.start.y);
            CHECK(d.afterMiddleDrag.x == d.start.x);
            CHECK(d.afterMiddleDrag.y == d.start.y);
        }
    }
}

TEST_CASE("full-screen viewer: after each drag step the screen shows the picture at its new place, no stale strips") {
    MainWindow();
    TempFolder temp;
    // Steps from a press at 100: small and large, both ways, one that takes
    // the picture partly off the screen and one back, and one while a
    // repaint is still pending.
    struct Step {
        int to;
        bool pending;
    };
    const Step steps[] = {{130, false}, {93, false}, {500, false}, {-200, true}, {-1100, false}, {900, false}, {99, false}};
    for (auto [w, h] : {std::pair{2000, 300}, std::pair{300, 1600}}) {
        CAPTURE(w);
        const bool across = w > h;
        const std::u16string path = WriteStriped(temp, Wide("pruhy" + std::to_string(w) + ".bmp"), w, h);
        WhileUp([&] { ImageForm2->ShowFile(path); },
                [&](HWND wnd) {
                    HWND image = ImageForm2->Image->Handle();
                    UpdateWindow(wnd);
                    UpdateWindow(image);
                    CHECK(WrongPixels(wnd, across) == 0);
                    for (const Step& step : steps) {
                        CAPTURE(step.to);
                        Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
                        if (step.pending) InvalidateRect(image, nullptr, FALSE);
                        Mouse(WM_MOUSEMOVE, MK_LBUTTON, across ? step.to : 100, across ? 100 : step.to);
                        Mouse(WM_LBUTTONUP, 0, across ? step.to : 100, across ? 100 : step.to);
                        UpdateWindow(wnd);
                        UpdateWindow(image);
                        CHECK(WrongPixels(wnd, across) == 0);
                    }
                    PressEnter(wnd);
                });
    }
}

TEST_CASE("full-screen viewer: a release lost outside the picture does not let it follow a pointer without buttons") {
    MainWindow();
    TempFolder temp;
    std::u16string path = WriteBmp(temp, u"strateny.bmp", 1400, 300);
    POINT before{}, after{};
    WhileUp([&] { ImageForm2->ShowFile(path); },
            [&](HWND wnd) {
                // Right press on the picture, release over the black background.
                Mouse(WM_RBUTTONDOWN, MK_RBUTTON, 100, 100);
                SendMessageA(wnd, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
                before = Where();
                Mouse(WM_MOUSEMOVE, 0, 160, 100);
                after = Where();
                PressEnter(wnd);
            });
    CHECK(after.x == before.x);
    // The press never saw its release.
    CHECK(ImageForm2->DragActive);
    ImageForm2->FormCreate(ImageForm2);
    CHECK_FALSE(ImageForm2->DragActive);
}

TEST_CASE("full-screen viewer: a drag left active by a wide picture moves the next, tall one up and down") {
    MainWindow();
    TempFolder temp;
    const std::u16string wide = WriteBmp(temp, u"siroky.bmp", 1400, 300), tall = WriteBmp(temp, u"vysoky.bmp", 300, 1400);
    WhileUp([&] { ImageForm2->ShowFile(wide); },
            [&](HWND wnd) {
                Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
                PressEnter(wnd);
            });
    REQUIRE(ImageForm2->DragActive);
    POINT before{}, after{};
    WhileUp([&] { ImageForm2->ShowFile(tall); },
            [&](HWND wnd) {
                before = Where();
                Mouse(WM_MOUSEMOVE, MK_LBUTTON, 130, 80);
                after = Where();
                PressEnter(wnd);
            });
    CHECK(after.x == before.x);
    CHECK(after.y == before.y - 20);
    ImageForm2->FormCreate(ImageForm2);
}

TEST_CASE("full-screen viewer: closing by double-click on picture or background and by Enter; Escape ignored") {
    MainWindow();
    TempFolder temp;
    std::u16string path = WriteBmp(temp, u"koniec.bmp", 200, 100);
    SUBCASE("double-click on the picture: the press after it still starts a drag, the release ends it") {
        bool activeAfterPress = false, closing = false;
        int32_t x = -1, y = -1;
        bool up = WhileUp([&] { ImageForm2->ShowFile(path); },
                          [&](HWND) {
                              Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 3, 4);
                              Mouse(WM_LBUTTONUP, 0, 3, 4);
                              Mouse(WM_LBUTTONDBLCLK, MK_LBUTTON, 7, 9);
                              activeAfterPress = ImageForm2->DragActive;
                              closing = ImageForm2->ModalResult() == mrCancel;
                              x = ImageForm2->DragStartX;
                              y = ImageForm2->DragStartY;
                              Mouse(WM_LBUTTONUP, 0, 7, 9);
                          });
        CHECK(up);
        CHECK(activeAfterPress);
        CHECK(closing);
        CHECK(x == 7);
        CHECK(y == 9);
        CHECK_FALSE(ImageForm2->DragActive);
    }
    SUBCASE("double-click on the black background") {
        bool up = WhileUp([&] { ImageForm2->ShowFile(path); },
                          [&](HWND wnd) { SendMessageA(wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3)); });
        CHECK(up);
    }
    SUBCASE("Escape does nothing, Enter closes") {
        bool stayed = false;
        bool up = WhileUp([&] { ImageForm2->ShowFile(path); },
                          [&](HWND wnd) {
                              SendMessageA(wnd, WM_CHAR, 27, 0);
                              Pump();
                              stayed = IsWindowVisible(wnd) && ImageForm2->ModalResult() == mrNone &&
                                       !IsWindowVisible(Taskbar());
                              PressEnter(wnd);
                          });
        CHECK(up);
        CHECK(stayed);
    }
    CHECK_FALSE(IsWindowVisible(ImageForm2->Handle()));
    CHECK(IsWindowVisible(Taskbar()));
}

TEST_CASE("full-screen branch of the open command: failures and the taskbar") {
    TOkno& w = MainWindow();
    TempFolder temp;
    KeepMainFolder keep;
    WriteBmp(temp, u"cely.bmp", 120, 80);
    temp.Write(u"zly.bmp", std::vector<unsigned char>(64, 'n'));
    w.FullScreen->SetChecked(true);

    SUBCASE("the selected file fills the screen, the taskbar returns after Enter") {
        REQUIRE(SelectFile(w, temp.Path(), u"cely.bmp"));
        Seen s;
        bool up = WhileUp([&] { w.DvojKlikniNaSubor(); },
                          [&](HWND wnd) {
                              s = Look(wnd);
                              PressEnter(wnd);
                          });
        CHECK(up);
        CHECK(s.window.width == 1024);
        CHECK(s.left == 512 - 60);
        CHECK_FALSE(s.taskbarVisible);
        CHECK(IsWindowVisible(Taskbar()));
        CHECK(TestApplication().Cursor() == TCursor::crDefault);
    }
    SUBCASE("a failed load: the taskbar is shown again and the viewer never appears") {
        REQUIRE(SelectFile(w, temp.Path(), u"zly.bmp"));
        CHECK_THROWS_WITH_AS(w.DvojKlikniNaSubor(), "Bitmap image is not valid", EInvalidGraphic);
        SettleTaskbar();  // the hide left to the taskbar's thread does not win
        CHECK(IsWindowVisible(Taskbar()));
        CHECK_FALSE(IsWindowVisible(ImageForm2->Handle()));
        CHECK(TestApplication().Cursor() == TCursor::crDefault);
    }
    SUBCASE("nothing selected: the taskbar is not touched") {
        w.Dir->SetDirectory(temp.Path());
        w.files->SetItemIndex(-1);
        ShowTaskbar(false);
        SettleTaskbar();
        bool up = WhileUp([&] { w.DvojKlikniNaSubor(); }, [&](HWND wnd) { PressEnter(wnd); });
        CHECK_FALSE(up);
        CHECK_FALSE(IsWindowVisible(Taskbar()));
        ShowTaskbar(true);
    }
    w.FullScreen->SetChecked(false);
}
