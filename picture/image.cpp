#include "picture/image.h"

#include "ui/form.h"
#include "ui/scope.h"

TImage::TImage(TControl* parent, const ImageSettings& s)
    : TControl(parent), autoSize_(s.autoSize), center_(s.center), stretch_(s.stretch), transparent_(s.transparent) {
    picture_.OnChange = [this](TObject*) { PictureUpdated(); };
    picture_.OnProgress = [this](TObject* sender, TProgressStage stage, uint8_t percent, bool redraw,
                                 const RECT& rect, const std::string& msg) {
        PictureProgress(sender, stage, percent, redraw, rect, msg);
    };
    CreateCustom("Lumeno.Image", 0, 0, s);
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
    TControl::SetBounds(left, top, width, height);
}

void TImage::SetAlign(TAlign align) {
    if (align == Align()) return;
    TControl::SetAlign(align);
    SetBounds(Left(), Top(), Width(), Height());
}

LRESULT TImage::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    // Paint fills what the picture leaves uncovered.
    if (msg == WM_ERASEBKGND) return TRUE;
    return TControl::WndProc(msg, wp, lp);
}

void TImage::FillBackground(HDC dc, const RECT& picture) {
    HBRUSH brush = Parent() ? Parent()->BackgroundBrush() : BackgroundBrush();
    RECT all;
    GetClientRect(Handle(), &all);
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
