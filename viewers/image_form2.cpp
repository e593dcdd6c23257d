#include "viewers/image_form2.h"

#include "viewers/taskbar.h"

TImageForm2* ImageForm2 = nullptr;

namespace {
FormSettings WindowSettings() {
    auto s = FormAt<FormSettings>(ImageForm2Box("ImageForm2"));
    s.caption = "";
    s.border = TBorderStyle::bsNone;
    s.color = RGB(0, 0, 0);
    return s;
}

ImageSettings ImageLayout() {
    auto s = PlacedAt<ImageSettings>(ImageForm2Box("Image"));
    s.autoSize = true;
    // Dragging a picture larger than the screen then scrolls what is shown.
    s.clipToParent = true;
    return s;
}

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

constexpr TShiftState kAnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;
}  // namespace

int HalvesOffset(int screen, int picture) { return screen / 2 - picture / 2; }

TImageForm2::TImageForm2() : TForm(WindowSettings()) {
    ImageForm2 = this;
    Image = std::make_unique<TImage>(this, ImageLayout());
    Image->Cursor = TCursor::crHandPoint;
    WireEvents();
}

TImageForm2::~TImageForm2() {
    if (ImageForm2 == this) ImageForm2 = nullptr;
}

void TImageForm2::WireEvents() {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnDblClick = [this](TObject* s) { FormDblClick(s); };
    OnKeyPress = [this](TObject* s, char16_t& key) { FormKeyPress(s, key); };
    OnClose = [this](TObject* s, TCloseAction& action) { FormClose(s, action); };
    Image->OnDblClick = [this](TObject* s) { ImageDblClick(s); };
    Image->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        ImageMouseDown(s, b, sh, x, y);
    };
    Image->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { ImageMouseMove(s, sh, x, y); };
    Image->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        ImageMouseUp(s, b, sh, x, y);
    };
}

void TImageForm2::ShowFile(const std::u16string& path, const PixelReuse& reuse) {
    // Each reading of the screen's size asks the system anew.
    const int screenWidth = ScreenWidth(), screenHeight = ScreenHeight();
    SetBounds(0, 0, screenWidth, screenHeight);
    ShowTaskbar(false);
    try {
        Image->Picture().LoadFile(path, reuse);
    } catch (...) {
        ShowTaskbar(true);
        throw;
    }
    // One move, to both offsets.
    Image->SetBounds(HalvesOffset(screenWidth, Image->Picture().Width()),
                     HalvesOffset(screenHeight, Image->Picture().Height()), Image->Width(), Image->Height());
    // A drag left active by the last picture (closed before its release)
    // must move this one along its own axis.
    JudgeDragAxis(screenWidth, screenHeight);
    ShowModal();
}

void TImageForm2::FormCreate(TObject*) { DragActive = false; }

void TImageForm2::JudgeDragAxis(int screenWidth, int screenHeight) {
    const bool wider = Image->Picture().Width() > screenWidth;
    const bool taller = Image->Picture().Height() > screenHeight;
    dragsAcross_ = wider && !taller;
    dragsDown_ = taller && !wider;
}

void TImageForm2::ImageMouseDown(TObject*, TMouseButton, TShiftState, int x, int y) {
    JudgeDragAxis(ScreenWidth(), ScreenHeight());
    DragStartX = x;
    DragStartY = y;
    DragActive = true;
}

void TImageForm2::ImageMouseUp(TObject*, TMouseButton, TShiftState, int, int) { DragActive = false; }

void TImageForm2::ImageMouseMove(TObject*, TShiftState shift, int x, int y) {
    // A release outside the picture (right or middle button, no capture)
    // never reaches it: without a button held the picture stays put.
    if (!DragActive || !(shift & kAnyButton)) return;
    if (dragsAcross_) Image->SetLeft(Image->Left() + x - DragStartX);
    if (dragsDown_) Image->SetTop(Image->Top() + y - DragStartY);
}

void TImageForm2::FormDblClick(TObject*) { Close(); }

void TImageForm2::ImageDblClick(TObject*) { Close(); }

void TImageForm2::FormKeyPress(TObject*, char16_t& key) {
    if (key == u'\r') Close();
}

void TImageForm2::FormClose(TObject*, TCloseAction&) { ShowTaskbar(true); }
