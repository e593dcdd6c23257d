#include "ui/toolbar.h"

#include <commctrl.h>

#include "platform/text.h"
#include "ui/glyph.h"
#include "ui/rects.h"

TSpeedButton::TSpeedButton(TControl* parent, const SpeedButtonSettings& s) : TControl(parent), flat_(s.flat) {
    if (s.glyph) glyph_ = LoadResourceBitmap(s.glyph);
    CreateCustom("Lumeno.SpeedButton", 0, 0, s);
}

LRESULT TSpeedButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_MOUSEMOVE:
            if (!hot_) {
                hot_ = true;
                TRACKMOUSEEVENT t{sizeof(t), TME_LEAVE, Handle(), 0};
                TrackMouseEvent(&t);
                Invalidate();
            }
            break;
        case WM_MOUSELEAVE:
            hot_ = false;
            Invalidate();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            down_ = true;
            Invalidate();
            break;
        case WM_LBUTTONUP: {
            bool wasDown = down_;
            down_ = false;
            Invalidate();
            LRESULT r = TControl::WndProc(msg, wp, lp);
            POINT p{short(LOWORD(lp)), short(HIWORD(lp))};
            const RECT rc = ClientRect(Handle());
            if (wasDown && PtInRect(&rc, p)) Click();
            return r;
        }
        default: break;
    }
    return TControl::WndProc(msg, wp, lp);
}

void TSpeedButton::Paint(HDC dc) {
    RECT r = ClientRect(Handle());
    if (down_)
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (hot_ || !flat_)
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    SIZE size = BitmapSize(glyph_.get());
    int x = (r.right - size.cx) / 2 + (down_ ? 1 : 0);
    int y = (r.bottom - size.cy) / 2 + (down_ ? 1 : 0);
    DrawGlyph(dc, glyph_.get(), x, y);
}

TToolBar::TToolBar(TControl* parent, const ToolBarSettings& s) : TControl(parent) {
    CreateCustom("Lumeno.ToolBar", WS_CLIPCHILDREN, 0, s);
    tips_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                0, 0, 0, 0, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr));
    SendMessageW(tips_.get(), TTM_SETDELAYTIME, TTDT_INITIAL, 500);
    SendMessageW(tips_.get(), TTM_SETDELAYTIME, TTDT_AUTOPOP, 2500);
}

TSpeedButton* TToolBar::AddButton(SpeedButtonSettings s) {
    if (!s.width) s.width = 23;
    if (!s.height) s.height = 20;
    if (!s.top) s.top = 2;
    buttons_.push_back(std::make_unique<TSpeedButton>(this, s));
    TSpeedButton* b = buttons_.back().get();
    if (s.showHint && !s.hint.empty()) {
        TTTOOLINFOW ti{};
        ti.cbSize = sizeof(ti);
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = Handle();
        ti.uId = reinterpret_cast<UINT_PTR>(b->Handle());
        ti.lpszText = WidePtr(b->Hint);
        SendMessageW(tips_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    return b;
}

void TToolBar::AddSeparator(int left, int width) { separators_.emplace_back(left, width); }

void TToolBar::Paint(HDC dc) {
    for (auto [left, width] : separators_) {
        RECT r{left + width / 2 - 1, 2, left + width / 2 + 1, 22};
        DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT);
    }
}
