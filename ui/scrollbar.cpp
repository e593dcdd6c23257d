#include "ui/scrollbar.h"

#include <algorithm>

#include "ui/application.h"

TScrollBar::TScrollBar(TControl* parent, const ScrollBarSettings& s) : TControl(parent) {
    CreateStandard("SCROLLBAR", s.kind == TScrollKind::Horizontal ? SBS_HORZ : SBS_VERT, 0, s);
    UpdateSystemBar();
}

void TScrollBar::UpdateSystemBar() {
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_POS | SIF_PAGE | SIF_DISABLENOSCROLL;
    si.nMin = min_;
    si.nMax = max_;
    si.nPos = position_;
    si.nPage = 0;
    SetScrollInfo(Handle(), SB_CTL, &si, TRUE);
}

void TScrollBar::SetPosition(int pos) {
    pos = std::clamp(pos, min_, std::max(min_, max_));
    if (pos == position_) return;
    position_ = pos;
    UpdateSystemBar();
    if (OnChange) OnChange(this);
}

void TScrollBar::SetMin(int v) {
    SetRange(v, std::max(max_, v));
}

void TScrollBar::SetMax(int v) {
    SetRange(min_, std::max(v, min_));
}

void TScrollBar::SetRange(int min, int max) {
    // The system bar already shows an unchanged range: telling it again
    // costs round trips to the window server and a repaint.
    if (min == min_ && max == max_) return;
    min_ = min;
    max_ = max;
    const int old = position_;
    position_ = std::clamp(position_, min_, max_);
    UpdateSystemBar();
    if (old != position_ && OnChange) OnChange(this);
}

void TScrollBar::Scroll(WORD code, int trackPos) {
    int pos = position_;
    switch (code) {
        case SB_LINEUP: pos -= smallChange_; break;
        case SB_LINEDOWN: pos += smallChange_; break;
        case SB_PAGEUP: pos -= largeChange_; break;
        case SB_PAGEDOWN: pos += largeChange_; break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: pos = trackPos; break;
        case SB_TOP: pos = min_; break;
        case SB_BOTTOM: pos = max_; break;
        case SB_ENDSCROLL: return;
        default: return;
    }
    pos = std::clamp(pos, min_, std::max(min_, max_));
    if (OnScroll) OnScroll(this, code, pos);
    SetPosition(pos);
}

void TScrollBar::ScrollMessage(WORD code) {
    if (cancelled_) {
        if (code == SB_ENDSCROLL) cancelled_ = false;
        return;
    }
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_TRACKPOS;
    GetScrollInfo(Handle(), SB_CTL, &si);
    scrolling_ = true;
    try {
        Scroll(code, si.nTrackPos);
    } catch (const std::exception& e) {
        Application->HandleException(e);
    }
    scrolling_ = false;
    // The system arms its repeat timer once this message returns; the
    // release it then waits for went to the box. Queue one for it.
    if (cancelled_) Cancel();
}

// The system ends its tracking and its repeat timer on the button's release.
void TScrollBar::Cancel() { PostMessageA(Handle(), WM_LBUTTONUP, 0, 0); }

LRESULT TScrollBar::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CANCELMODE:
            if (GetCapture() == Handle()) {
                cancelled_ = true;
                if (!scrolling_) Cancel();
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_KEYDOWN: cancelled_ = false; break;
        default: break;
    }
    return TControl::WndProc(msg, wp, lp);
}
