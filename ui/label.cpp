#include "ui/label.h"

#include "platform/text.h"
#include "ui/fonts.h"
#include "ui/gdi.h"
#include "ui/rects.h"

TLabel::TLabel(TControl* parent, const LabelSettings& s)
    : TControl(parent), text_(Wide(s.caption)), autoSize_(s.autoSize), textColor_(s.textColor) {
    if (s.font) SetFont(s.font);
    Cursor = s.cursor;
    SetColor(parent->Color());
    CreateCustom("Lumeno.Label", 0, 0, s);
    if (autoSize_) FitToText();
}

void TLabel::FitToText() {
    // Measured the way it is drawn, so the last glyph's overhang is not cut.
    WindowDC dc(nullptr);
    SelectGuard f(dc.get(), Font());
    RECT r{0, 0, 0, 0};
    DrawTextW(dc.get(), WidePtr(text_), int(text_.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc.get(), &tm);
    SetBounds(Left(), Top(), r.right + tm.tmOverhang, tm.tmHeight);
}

void TLabel::SetCaption(const std::u16string& text) {
    text_ = text;
    TControl::SetCaption(text);
    if (autoSize_) FitToText();
    Invalidate();
}

void TLabel::SetCaption(const std::string& text) { SetCaption(Wide(text)); }

LRESULT TLabel::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    // Clicks on a label count as clicks (the about box's link).
    if (msg == WM_LBUTTONUP && GetCapture() == Handle()) {
        LRESULT r = TControl::WndProc(msg, wp, lp);
        Click();
        return r;
    }
    return TControl::WndProc(msg, wp, lp);
}

void TLabel::Paint(HDC dc) {
    RECT r = ClientRect(Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColor_ == CLR_INVALID ? GetSysColor(COLOR_WINDOWTEXT) : textColor_);
    SelectGuard f(dc, Font());
    DrawTextW(dc, WidePtr(text_), int(text_.size()), &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}
