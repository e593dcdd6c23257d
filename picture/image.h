#pragma once
// The image control: a program-drawn child window that owns one picture and
// draws it by AutoSize, Center and Stretch. Callers scroll and pan a large
// picture by moving the control (SetLeft, SetTop).
//
// With clipToParent the window covers only the part of the control inside
// its parent's client area, while Left, Top, Width, Height and the mouse
// events keep the control's own coordinates: a move that leaves that part
// where it was scrolls the pixels already shown and paints only what it
// uncovers, instead of moving a window larger than the screen.
#include <windows.h>

#include "picture/picture.h"
#include "ui/control.h"

struct ImageSettings : ControlSettings {
    ImageSettings() {
        width = 105;
        height = 105;
    }
    bool autoSize = false;
    bool center = false;
    bool stretch = false;
    bool transparent = false;
    bool clipToParent = false;
};

class TImage : public TControl {
public:
    TImage(TControl* parent, const ImageSettings& s = ImageSettings());
    const char* ClassName() const override { return "TImage"; }

    // The owned picture; assigning copies into it, it is never replaced.
    TPicture& Picture() { return picture_; }
    void SetPicture(TObject* source) { picture_.Assign(source); }

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool IncrementalDisplay() const { return incrementalDisplay_; }
    void SetIncrementalDisplay(bool value) { incrementalDisplay_ = value; }
    // The picture covers the whole control: nothing behind it need be painted.
    bool Opaque() const { return opaque_; }

    // Where the picture is drawn, in control coordinates.
    RECT PaintRect() const;

    // With AutoSize on and Align not alClient, the picture decides the width
    // (alNone, alLeft, alRight) and the height (alNone, alTop, alBottom).
    void SetBounds(int left, int top, int width, int height) override;
    void SetAlign(TAlign align) override;

    TProgressEvent OnProgress;

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void Paint(HDC dc) override;
    void Resized() override;
    void ParentResized() override;
    void Place() override;

private:
    void PictureUpdated();
    void PictureProgress(TObject* sender, TProgressStage stage, uint8_t percent, bool redrawNow,
                         const RECT& rect, const std::string& msg);
    bool PaletteStep();
    void FillBackground(HDC dc, const RECT& picture);
    RECT VisiblePart() const;
    void ScrollBy(int dx, int dy);

    TPicture picture_;
    bool autoSize_ = false;
    bool center_ = false;
    bool stretch_ = false;
    bool transparent_ = false;
    bool incrementalDisplay_ = false;
    bool opaque_ = false;
    bool drawing_ = false;
    bool clipToParent_ = false;
    RECT placed_{};    // the window, in the parent's client coordinates
    POINT shift_{};    // the window's origin in control coordinates
};
