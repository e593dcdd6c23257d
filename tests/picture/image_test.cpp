// The image control: where the picture lands under every alignment,
// centring and stretching, the auto-size rules, painting errors and the
// palette step. Pixels are read back from the window.
#include "testing.h"

#include <memory>

#include "fixture.h"
#include "picture/bitmap.h"
#include "picture/image.h"
#include "picture_testing.h"
#include "platform/stream.h"
#include "ui/form.h"
#include "ui/panel.h"

namespace {
const COLORREF kBackground = RGB(0, 0, 200);
const COLORREF kLeftHalf = RGB(255, 0, 0), kRightHalf = RGB(0, 255, 0);

// A w x h bitmap, red on its left half and green on its right half.
std::unique_ptr<TBitmap> Halves(int w, int h) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelLayout(TPixelLayout::pf24Bit);
    bitmap->SetSize(w, h);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = bitmap->RowAddress(y);
        for (int x = 0; x < w; ++x) {
            const COLORREF c = x < w / 2 ? kLeftHalf : kRightHalf;
            row[3 * x] = GetBValue(c);
            row[3 * x + 1] = GetGValue(c);
            row[3 * x + 2] = GetRValue(c);
        }
    }
    bitmap->Changed(bitmap.get());
    return bitmap;
}

// A shown form with a blue panel of 120 x 90 that holds the image control.
struct Stage {
    Stage() {
        TestApplication();
        FormSettings fs;
        fs.caption = "Obrazok";
        fs.left = 40;
        fs.top = 40;
        fs.clientWidth = 200;
        fs.clientHeight = 150;
        form = std::make_unique<TForm>(fs);
        PanelSettings ps;
        ps.left = 10;
        ps.top = 10;
        ps.width = 120;
        ps.height = 90;
        ps.color = kBackground;
        panel = std::make_unique<TPanel>(form.get(), ps);
        ImageSettings is;
        is.left = 5;
        is.top = 5;
        is.width = 100;
        is.height = 60;
        image = std::make_unique<TImage>(panel.get(), is);
        form->Show();
        SetWindowPos(form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        Pump();
    }
    ~Stage() {
        image.reset();
        panel.reset();
        form.reset();
        Pump();
    }
    COLORREF PixelAt(int x, int y) {
        UpdateWindow(image->Handle());
        Pump();
        WindowDC dc(image->Handle());
        return GetPixel(dc.get(), x, y);
    }
    std::unique_ptr<TForm> form;
    std::unique_ptr<TPanel> panel;
    std::unique_ptr<TImage> image;
};

// The rule the control must follow, written out independently.
RECT Expected(int W, int H, int w, int h, bool center, bool stretch) {
    if (stretch) return RECT{0, 0, W, H};
    if (center) return RECT{(W - w) / 2, (H - h) / 2, (W - w) / 2 + w, (H - h) / 2 + h};
    return RECT{0, 0, w, h};
}

bool Inside(const TImage& image, int x, int y) {
    return x >= 0 && y >= 0 && x < image.Width() && y < image.Height();
}

// The picture's halves inside the rectangle, the background around it.
void CheckDrawnAt(Stage& s, const RECT& r) {
    const int midY = (r.top + r.bottom) / 2;
    struct Probe {
        int x, y;
        COLORREF want;
    };
    const Probe probes[] = {{r.left, r.top, kLeftHalf},           {r.right - 1, r.bottom - 1, kRightHalf},
                            {r.left - 1, midY, kBackground},      {r.right, midY, kBackground},
                            {r.left, r.top - 1, kBackground},     {r.right - 1, r.bottom, kBackground}};
    for (const Probe& p : probes) {
        if (!Inside(*s.image, p.x, p.y)) continue;
        CAPTURE(p.x);
        CAPTURE(p.y);
        CHECK(s.PixelAt(p.x, p.y) == p.want);
    }
}
}  // namespace

TEST_CASE("the picture lands where PaintRect says under every alignment, centring and stretching") {
    Stage s;
    auto bitmap = Halves(40, 30);
    s.image->Picture().SetGraphic(bitmap.get());
    const TAlign aligns[] = {TAlign::alNone, TAlign::alTop,   TAlign::alBottom,
                             TAlign::alLeft, TAlign::alRight, TAlign::alClient};
    for (TAlign align : aligns) {
        s.image->SetAlign(TAlign::alNone);
        s.image->SetBounds(5, 5, 100, 60);
        s.image->SetAlign(align);
        for (int mode = 0; mode < 4; ++mode) {
            const bool center = mode & 1, stretch = mode & 2;
            CAPTURE(int(align));
            CAPTURE(center);
            CAPTURE(stretch);
            s.image->SetCenter(center);
            s.image->SetStretch(stretch);
            const RECT want = Expected(s.image->Width(), s.image->Height(), 40, 30, center, stretch);
            const RECT got = s.image->PaintRect();
            CHECK(EqualRect(&got, &want));
            CheckDrawnAt(s, want);
        }
    }
    s.image->SetAlign(TAlign::alClient);
    CHECK(s.image->Width() == 120);
    CHECK(s.image->Height() == 90);
}

TEST_CASE("a centred picture wider than the control starts at the truncated offset") {
    Stage s;
    auto bitmap = Halves(150, 20);  // red columns 0..74, green from 75
    s.image->Picture().SetGraphic(bitmap.get());
    s.image->SetBounds(0, 0, 100, 60);
    s.image->SetCenter(true);
    bitmap->SetWidth(151);
    s.image->Picture().SetGraphic(bitmap.get());
    CHECK(s.image->PaintRect().left == -25);
    // Column 74 of the picture is the control's x = 49; 75 is x = 50.
    CHECK(s.PixelAt(49, 30) == kLeftHalf);
    CHECK(s.PixelAt(50, 30) == kRightHalf);
}

TEST_CASE("auto-size: the picture decides the size except under client alignment") {
    Stage s;
    s.image->SetAutoSize(true);
    CHECK(s.image->Width() == 0);  // an empty picture is 0 by 0
    auto bitmap = Halves(40, 30);
    s.image->Picture().SetGraphic(bitmap.get());
    CHECK(s.image->Width() == 40);
    CHECK(s.image->Height() == 30);
    s.image->SetWidth(500);
    CHECK(s.image->Width() == 40);
    s.image->SetBounds(3, 4, 200, 200);
    CHECK(s.image->Left() == 3);
    CHECK(s.image->Top() == 4);
    CHECK(s.image->Width() == 40);
    CHECK(s.image->Height() == 30);

    s.image->SetAlign(TAlign::alTop);
    CHECK(s.image->Width() == 120);
    CHECK(s.image->Height() == 30);
    s.image->SetAlign(TAlign::alLeft);
    CHECK(s.image->Width() == 40);
    CHECK(s.image->Height() == 90);

    s.image->SetAlign(TAlign::alClient);
    CHECK(s.image->Width() == 120);
    CHECK(s.image->Height() == 90);
    s.image->SetCenter(true);
    CheckDrawnAt(s, RECT{40, 30, 80, 60});

    s.image->SetAlign(TAlign::alNone);
    CHECK(s.image->Width() == 40);
    CHECK(s.image->Height() == 30);
    // Moving keeps the size: how callers scroll a large picture.
    s.image->SetLeft(-15);
    CHECK(s.image->Left() == -15);
    CHECK(s.image->Width() == 40);
}

TEST_CASE("the control is opaque only when the picture covers it") {
    Stage s;
    s.image->SetBounds(0, 0, 50, 40);
    auto small = Halves(40, 30);
    s.image->Picture().SetGraphic(small.get());
    CHECK_FALSE(s.image->Opaque());
    s.image->SetStretch(true);
    CHECK(s.image->Opaque());
    s.image->SetTransparent(true);
    CHECK_FALSE(s.image->Opaque());
    CHECK(s.image->Picture().Graphic()->Transparent());
    s.image->SetTransparent(false);
    s.image->SetStretch(false);
    auto big = Halves(60, 50);
    s.image->Picture().SetGraphic(big.get());
    CHECK(s.image->Opaque());
    CheckDrawnAt(s, RECT{0, 0, 60, 50});
    s.image->Picture().Assign(nullptr);
    CHECK_FALSE(s.image->Opaque());
    CHECK(s.PixelAt(10, 10) == kBackground);
}

TEST_CASE("an error while drawing is reported once and the window is not repainted in a loop") {
    Stage s;
    CaptureErrors errors;
    TTestGraphic failing;
    failing.width = 20;
    failing.height = 20;
    failing.drawThrows = true;
    s.image->Picture().SetGraphic(&failing);
    UpdateWindow(s.image->Handle());
    for (int i = 0; i < 5; ++i) {
        Pump();
        Sleep(20);
    }
    REQUIRE(errors.texts.size() == 1);
    CHECK(errors.texts[0] == u"Test picture cannot be drawn.");
    CHECK_FALSE(GetUpdateRect(s.image->Handle(), nullptr, FALSE));
    // The drawing flag came back: a later change repaints (and fails) again.
    s.image->SetCenter(true);
    UpdateWindow(s.image->Handle());
    Pump();
    CHECK(errors.texts.size() == 2);
}

TEST_CASE("the palette step clears the flag of a new palette for a visible control of the active form") {
    Stage s;
    TempFolder dir;
    BmpFields fields;
    fields.bits = 8;
    fields.clrUsed = 2;
    fields.colours = {0, 0, 255, 0, 0, 255, 0, 0};
    fields.pixels.assign(8, 1);
    dir.Write("paleta.bmp", BuildBmp(fields));
    SetActiveWindow(s.form->Handle());
    s.image->Picture().LoadFile(dir.File("paleta.bmp"));
    REQUIRE(s.image->Picture().Graphic());
    CHECK_FALSE(s.image->Picture().Graphic()->PaletteModified());

    s.image->Hide();
    s.image->Picture().LoadFile(dir.File("paleta.bmp"));
    CHECK(s.image->Picture().Graphic()->PaletteModified());
}
