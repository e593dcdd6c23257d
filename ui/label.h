#pragma once
// A text label drawn on its parent's background; fixed size or sized to its
// text.
#include "ui/control.h"

struct LabelSettings : ControlSettings {
    bool autoSize = true;
    HFONT font = nullptr;            // the parent's when null
    COLORREF textColor = CLR_INVALID;  // window text when invalid
    TCursor cursor = TCursor::crDefault;
};

class TLabel : public TControl {
public:
    TLabel(TControl* parent, const LabelSettings& s);
    void SetCaption(const std::u16string& text);
    void SetCaption(const std::string& text);  // the program's own text
    const std::u16string& Text() const { return text_; }
    bool AutoSize() const { return autoSize_; }
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    const char* ClassName() const override { return "TLabel"; }

protected:
    void Paint(HDC dc) override;

private:
    void FitToText();

    std::u16string text_;
    bool autoSize_;
    COLORREF textColor_;
};
