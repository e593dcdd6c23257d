#include "picture/image.h"

#include <windowsx.h>

#include "ui/form.h"
#include "ui/gdi.h"
#include "ui/rects.h"
#include "ui/scope.h"

TImage::TImage(TControl* parent, const ImageSettings& s)
    : TControl(parent),
      autoSize_(s.autoSize),
      center_(s.center),
      stretch_(s.stretch),
      transparent_(s.transparent),
      clipToParent_(s.clipToParent),
      placed_{s.left, s.top, s.left + s.width, s.top + s.height} {
    picture_.OnChange = [this](TObject*) { PictureUpdated(); };
    picture_.OnProgress = [this](TObject* sender, TProgressStage stage, uint8_t percent, bool redraw,
                                 const RECT& rect, const std::string& msg) {
        PictureProgress(sender, stage, percent, redraw, rect, msg);
    };
    CreateCustom("Lumeno.Image", 0, 0, s);
    if (clipToParent_) Place();
    if (autoSize_) SetBounds(Left(), Top(), Width(), Height());
}

void TImage::SetAutoSize(bool value) {
    autoSize_ = value;
    if (value) SetBounds(Left(), Top(), Width(), Height());
}

void TImage::SetCenter(bool value) {
    if (value == center_) return;
    center_ = value;
    PictureUpdated();
}

void TImage::SetStretch(bool value) {
    if (value == stretch_) return;
    stretch_ = value;
    PictureUpdated();
}

void TImage::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    PictureUpdated();
}

RECT TImage::PaintRect() const {
    if (stretch_) return RECT{0, 0, Width(), Height()};
    const int w = picture_.Width(), h = picture_.Height();
    if (center_) {
        // Integer division truncates toward zero: 100 - 151 gives -25.
        const int left = (Width() - w) / 2, top = (Height() - h) / 2;
        return RECT{left, top, left + w, top + h};
    }
    return RECT{0, 0, w, h};
}

void TImage::SetBounds(int left, int top, int width, int height) {
    const TAlign a = Align();
    if (autoSize_ && a != TAlign::alClient) {
        if (a == TAlign::alNone || a == TAlign::alLeft || a == TAlign::alRight) width = picture_.Width();
        if (a == TAlign::alNone || a == TAlign::alTop || a == TAlign::alBottom) height = picture_.Height();
    }
    if (!clipToParent_) return TControl::SetBounds(left, top, width, height);
    const RECT window = placed_;
    const POINT shift = shift_;
    const int oldWidth = Width(), oldHeight = Height();
    TControl::SetBounds(left, top, width, height);
    // A window that stayed where it was: the picture moved inside it.
    if (!EqualRect(&window, &placed_)) return;
    const int dx = shift.x - shift_.x, dy = shift.y - shift_.y;
    if (Width() == oldWidth && Height() == oldHeight)
        ScrollBy(dx, dy);
    else if (dx || dy)
        Invalidate();
}

RECT TImage::VisiblePart() const {
    const RECT all{left_, top_, left_ + width_, top_ + height_};
    const RECT area = Parent() ? ClientRect(Parent()->Handle()) : RECT{};
    RECT part{};
    if (IntersectRect(&part, &all, &area)) return part;
    // Nothing of it shows: an empty window where the control starts.
    return RECT{left_, top_, left_, top_};
}

void TImage::Place() {
    if (!clipToParent_ || !Handle()) return TControl::Place();
    const RECT part = VisiblePart();
    const POINT shift{part.left - left_, part.top - top_};
    // The pixels go with the window only while the picture keeps its place in it.
    const UINT copy = shift.x == shift_.x && shift.y == shift_.y ? 0 : SWP_NOCOPYBITS;
    const bool moved = !EqualRect(&part, &placed_);
    placed_ = part;
    shift_ = shift;
    if (moved)
        SetWindowPos(Handle(), nullptr, part.left, part.top, part.right - part.left, part.bottom - part.top,
                     SWP_NOZORDER | SWP_NOACTIVATE | copy);
}

void TImage::ParentResized() {
    if (clipToParent_) Place();
}

// Moves the pixels on the screen and paints what they uncovered, in one DC
// of the window: a repaint through the update region costs about ten more
// round trips to the window server, moving a window a dozen more again.
void TImage::ScrollBy(int dx, int dy) {
    HWND wnd = Handle();
    if ((!dx && !dy) || !wnd) return;
    // A repaint still pending must move with the pixels: the system does that.
    if (GetUpdateRect(wnd, nullptr, FALSE)) {
        ScrollWindowEx(wnd, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
        return;
    }
    WindowDC dc(wnd);
    Region uncovered(CreateRectRgn(0, 0, 0, 0));
    if (!dc.get() || !uncovered) return Invalidate();
    // Wine leaves the uncovered part out when no rectangles are given.
    const RECT all = ClientRect(wnd);
    ScrollDC(dc.get(), dx, dy, &all, &all, uncovered.get(), nullptr);
    SelectClipRgn(dc.get(), uncovered.get());
    Paint(dc.get());
}

void TImage::SetAlign(TAlign align) {
    if (align == Align()) return;
    TControl::SetAlign(align);
    SetBounds(Left(), Top(), Width(), Height());
}

LRESULT TImage::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    // Paint fills what the picture leaves uncovered.
    if (msg == WM_ERASEBKGND) return TRUE;
    // The mouse events report control coordinates, wherever the window starts.
    const bool mouse = msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK;
    if (mouse && (shift_.x || shift_.y)) lp = MAKELPARAM(GET_X_LPARAM(lp) + shift_.x, GET_Y_LPARAM(lp) + shift_.y);
    return TControl::WndProc(msg, wp, lp);
}

void TImage::FillBackground(HDC dc, const RECT& picture) {
    HBRUSH brush = Parent() ? Parent()->BackgroundBrush() : BackgroundBrush();
    RECT all = ClientRect(Handle());
    OffsetRect(&all, shift_.x, shift_.y);
    if (!opaque_ || !picture_.Graphic()) {
        FillRect(dc, &all, brush);
        return;
    }
    DCStateGuard clip(dc);
    ExcludeClipRect(dc, picture.left, picture.top, picture.right, picture.bottom);
    FillRect(dc, &all, brush);
}

void TImage::Paint(HDC dc) {
    ValueRestorer<bool> drawing(drawing_, true);
    // Control coordinates, wherever the window starts.
    POINT origin{};
    OffsetWindowOrgEx(dc, shift_.x, shift_.y, &origin);
    ScopeExit restore([&] { SetWindowOrgEx(dc, origin.x, origin.y, nullptr); });
    const RECT rect = PaintRect();
    FillBackground(dc, rect);
    TGraphic* graphic = picture_.Graphic();
    if (!graphic) return;
    TCanvas canvas(dc);
    try {
        graphic->Draw(canvas, rect);
    } catch (...) {
        // Leave no stale pixels under a picture that failed to draw.
        FillRect(dc, &rect, Parent() ? Parent()->BackgroundBrush() : BackgroundBrush());
        throw;
    }
}

void TImage::Resized() { Invalidate(); }

void TImage::PictureUpdated() {
    if (autoSize_ && picture_.Width() > 0 && picture_.Height() > 0)
        SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    if (TGraphic* graphic = picture_.Graphic()) {
        // This control draws it next: its decode can overlap the layout work
        // that comes first.
        graphic->DecodeAhead();
        // Icons and metafiles are always transparent and ignore this.
        graphic->SetTransparent(transparent_);
        opaque_ = !graphic->Transparent() &&
                  (stretch_ || (graphic->Width() >= Width() && graphic->Height() >= Height()));
        if (PaletteStep() && drawing_ && Handle()) UpdateWindow(Handle());
    } else {
        opaque_ = false;
    }
    if (!drawing_) Invalidate();
}

bool TImage::PaletteStep() {
    TGraphic* graphic = picture_.Graphic();
    if (!Visible() || !graphic || !graphic->PaletteModified()) return false;
    if (!graphic->Palette()) {
        graphic->SetPaletteModified(false);
        return false;
    }
    TForm* form = OwnerForm();
    if (!form || !form->Handle() || GetActiveWindow() != form->Handle()) return false;
    if (drawing_)
        SendMessageA(form->Handle(), WM_QUERYNEWPALETTE, 0, 0);
    else
        PostMessageA(form->Handle(), WM_QUERYNEWPALETTE, 0, 0);
    graphic->SetPaletteModified(false);
    return true;
}

void TImage::PictureProgress(TObject* sender, TProgressStage stage, uint8_t percent, bool redrawNow,
                             const RECT& rect, const std::string& msg) {
    if (redrawNow && incrementalDisplay_ && Handle()) {
        PaletteStep();
        InvalidateRect(Handle(), nullptr, FALSE);
        UpdateWindow(Handle());
    }
    if (OnProgress) OnProgress(sender, stage, percent, redrawNow, rect, msg);
}
