#include "viewers/caption_button.h"

#include "platform/text.h"
#include "ui/rects.h"

TCaptionButton::TCaptionButton(TControl* parent, const SpeedButtonSettings& s)
    : TSpeedButton(parent, s) {}

LRESULT TCaptionButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    // Follows the press as the base does, to shift the caption with the edge.
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) pressed_ = true;
    if (msg == WM_LBUTTONUP) pressed_ = false;
    return TSpeedButton::WndProc(msg, wp, lp);
}

void TCaptionButton::Paint(HDC dc) {
    TSpeedButton::Paint(dc);
    RECT r = ClientRect(Handle());
    if (pressed_) OffsetRect(&r, 1, 1);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const std::u16string text = Caption();
    DrawTextW(dc, WidePtr(text), int(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
