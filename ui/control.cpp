#include "ui/control.h"

#include <windowsx.h>

#include <algorithm>
#include <map>
#include <unordered_map>

#include "platform/exceptions.h"
#include "platform/text.h"
#include "ui/application.h"
#include "ui/fonts.h"
#include "ui/form.h"
#include "ui/gdi.h"
#include "ui/rects.h"

namespace {
// Window to object, kept in the process: a window property would cost a
// server round trip on every message under Wine.
std::unordered_map<HWND, TControl*>& Objects() {
    static std::unordered_map<HWND, TControl*> objects;
    return objects;
}

UINT NextControlId() {
    static UINT id = 100;
    return id++;
}

// One brush per background colour, shared by the controls of that colour.
std::map<COLORREF, Brush>& Brushes() {
    static std::map<COLORREF, Brush> brushes;
    return brushes;
}

// The windows are wide ones: a name in any script reaches them whole.
void RegisterKind(const std::u16string& kind, WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), WidePtr(kind), &wc)) return;
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = WidePtr(kind);
    RegisterClassExW(&wc);
}
}  // namespace

TControl::TControl(TControl* parent) : parent_(parent), color_(GetSysColor(COLOR_BTNFACE)) {
    font_ = parent ? parent->Font() : DefaultFont();
}

TControl::~TControl() {
    for (TControl* child : children_) child->parent_ = nullptr;
    if (parent_) parent_->Orphan(this);
    if (handle_) {
        HWND wnd = handle_;
        Detach();
        DestroyWindow(wnd);
    }
}

TControl* TControl::FromHandle(HWND wnd) {
    if (!wnd) return nullptr;
    auto& objects = Objects();
    auto it = objects.find(wnd);
    return it == objects.end() ? nullptr : it->second;
}

TForm* TControl::OwnerForm() {
    TControl* c = this;
    while (c->parent_) c = c->parent_;
    return dynamic_cast<TForm*>(c);
}

void TControl::Attach(HWND wnd) {
    handle_ = wnd;
    Objects()[wnd] = this;
}

void TControl::Detach() {
    if (!handle_) return;
    Objects().erase(handle_);
    if (systemProc_) SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProc_));
    handle_ = nullptr;
}

void TControl::Adopt(TControl* child) { children_.push_back(child); }

void TControl::Orphan(TControl* child) {
    children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

void TControl::ApplySettings(const ControlSettings& s) {
    left_ = s.left;
    top_ = s.top;
    width_ = s.width;
    height_ = s.height;
    visible_ = s.visible;
    tabStop_ = s.tabStop;
    align_ = s.align;
    Hint = Wide(s.hint);
    ShowHint = s.showHint;
}

void TControl::CreateCustom(const char* kind, DWORD style, DWORD exStyle, const ControlSettings& s) {
    ApplySettings(s);
    const std::u16string cls = Wide(kind);
    RegisterKind(cls, &TControl::Procedure);
    style |= WS_CHILD | WS_CLIPSIBLINGS | (visible_ ? WS_VISIBLE : 0) | (tabStop_ ? WS_TABSTOP : 0);
    HWND wnd = CreateWindowExW(exStyle, WidePtr(cls), WidePtr(Wide(s.caption)), style, left_, top_, width_,
                               height_, parent_->Handle(), reinterpret_cast<HMENU>(UINT_PTR(NextControlId())),
                               GetModuleHandleW(nullptr), this);
    if (!wnd) throw Win32Error(GetLastError());
    parent_->Adopt(this);
    SendMessageW(wnd, WM_SETFONT, WPARAM(font_), FALSE);
    if (align_ != TAlign::alNone) parent_->Realign();
}

void TControl::CreateStandard(const char* cls, DWORD style, DWORD exStyle, const ControlSettings& s) {
    ApplySettings(s);
    style |= WS_CHILD | WS_CLIPSIBLINGS | (visible_ ? WS_VISIBLE : 0) | (tabStop_ ? WS_TABSTOP : 0);
    HWND wnd = CreateWindowExW(exStyle, WidePtr(Wide(cls)), WidePtr(Wide(s.caption)), style, left_, top_, width_,
                               height_, parent_->Handle(), reinterpret_cast<HMENU>(UINT_PTR(NextControlId())),
                               GetModuleHandleW(nullptr), nullptr);
    if (!wnd) throw Win32Error(GetLastError());
    Attach(wnd);
    systemProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TControl::Procedure)));
    parent_->Adopt(this);
    SendMessageW(wnd, WM_SETFONT, WPARAM(font_), FALSE);
    if (align_ != TAlign::alNone) parent_->Realign();
}

void TControl::CreateTopLevel(const char* kind, DWORD style, DWORD exStyle, HWND owner,
                              const ControlSettings& s) {
    ApplySettings(s);
    const std::u16string cls = Wide(kind);
    RegisterKind(cls, &TControl::Procedure);
    HWND wnd = CreateWindowExW(exStyle, WidePtr(cls), WidePtr(Wide(s.caption)), style, left_, top_, width_,
                               height_, owner, nullptr, GetModuleHandleW(nullptr), this);
    if (!wnd) throw Win32Error(GetLastError());
    SendMessageW(wnd, WM_SETFONT, WPARAM(font_), FALSE);
}

LRESULT CALLBACK TControl::Procedure(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    TControl* self = FromHandle(wnd);
    if (!self && msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        self = static_cast<TControl*>(cs->lpCreateParams);
        if (self) self->Attach(wnd);
    }
    if (!self) return DefWindowProcW(wnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        LRESULT r = self->DefaultProc(msg, wp, lp);
        self->Detach();
        return r;
    }
    try {
        return self->WndProc(msg, wp, lp);
    } catch (const std::exception& e) {
        Application->HandleException(e);
    }
    return 0;
}

LRESULT TControl::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (systemProc_) return CallWindowProcW(systemProc_, handle_, msg, wp, lp);
    return DefWindowProcW(handle_, msg, wp, lp);
}

// The system's shared cursors are loaded once: the pointer is set on every
// mouse move, and each load is a round trip to the window server under Wine.
HCURSOR TControl::CursorHandle(TCursor c) {
    static const HCURSOR hourGlass = LoadCursorA(nullptr, IDC_WAIT);
    static const HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    static const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    switch (c) {
        case TCursor::crHourGlass: return hourGlass;
        case TCursor::crHandPoint: return hand;
        case TCursor::crArrow: return arrow;
        default: return nullptr;
    }
}

bool TControl::MouseMessage(UINT msg, WPARAM wp, LPARAM lp) {
    int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
    TShiftState shift = TShiftState(wp);
    auto down = [&](TMouseButton b) {
        if (b == TMouseButton::mbLeft && !systemProc_) SetCapture(handle_);
        if (OnMouseDown) OnMouseDown(this, b, shift, x, y);
    };
    auto up = [&](TMouseButton b) {
        if (b == TMouseButton::mbLeft && !systemProc_ && GetCapture() == handle_) ReleaseCapture();
        if (OnMouseUp) OnMouseUp(this, b, shift, x, y);
    };
    switch (msg) {
        case WM_LBUTTONDOWN: down(TMouseButton::mbLeft); return true;
        case WM_RBUTTONDOWN: down(TMouseButton::mbRight); return true;
        case WM_MBUTTONDOWN: down(TMouseButton::mbMiddle); return true;
        // The double-click is reported first; the press still follows.
        case WM_LBUTTONDBLCLK: DblClick(); down(TMouseButton::mbLeft); return true;
        case WM_RBUTTONDBLCLK: down(TMouseButton::mbRight); return true;
        case WM_MBUTTONDBLCLK: down(TMouseButton::mbMiddle); return true;
        case WM_LBUTTONUP: up(TMouseButton::mbLeft); return true;
        case WM_RBUTTONUP: up(TMouseButton::mbRight); return true;
        case WM_MBUTTONUP: up(TMouseButton::mbMiddle); return true;
        case WM_MOUSEMOVE:
            if (OnMouseMove) OnMouseMove(this, shift, x, y);
            return true;
        default: return false;
    }
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

TControl* TControl::ChildOf(LPARAM wnd) const {
    TControl* c = FromHandle(reinterpret_cast<HWND>(wnd));
    return c && c->parent_ == this ? c : nullptr;
}

// Notifications are reflected to the control of ours that sent them; what
// comes from a window of the system's own (a combo box's list, say) is the
// business of the window procedure it was meant for.
LRESULT TControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND: return CommandReceived(wp, lp);
        case WM_DRAWITEM: return DrawItemReceived(wp, lp);
        case WM_HSCROLL:
        case WM_VSCROLL: return ScrollReceived(msg, wp, lp);
        case WM_NOTIFY: return NotifyReceived(wp, lp);
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: return ChildColorAsked(msg, wp, lp);
        case WM_SETCURSOR: return CursorAsked(wp, lp);
        case WM_ERASEBKGND: return EraseAsked(wp, lp);
        case WM_PAINT: return PaintAsked(wp, lp);
        case WM_SIZE: return SizeChanged(wp, lp);
        case WM_CHAR: return CharReceived(wp, lp);
        default: return OtherMessage(msg, wp, lp);
    }
}

LRESULT TControl::CommandReceived(WPARAM wp, LPARAM lp) {
    if (TControl* child = ChildOf(lp)) {
        child->Notify(HIWORD(wp));
        return 0;
    }
    if (!lp && !systemProc_) {
        MenuCommand(LOWORD(wp));
        return 0;
    }
    return DefaultProc(WM_COMMAND, wp, lp);
}

LRESULT TControl::DrawItemReceived(WPARAM wp, LPARAM lp) {
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
    if (TControl* child = ChildOf(reinterpret_cast<LPARAM>(item->hwndItem)))
        if (child->DrawItem(*item)) return TRUE;
    return DefaultProc(WM_DRAWITEM, wp, lp);
}

LRESULT TControl::ScrollReceived(UINT msg, WPARAM wp, LPARAM lp) {
    TControl* child = ChildOf(lp);
    if (!child) return DefaultProc(msg, wp, lp);
    child->ScrollMessage(LOWORD(wp));
    return 0;
}

LRESULT TControl::NotifyReceived(WPARAM wp, LPARAM lp) {
    auto* header = reinterpret_cast<NMHDR*>(lp);
    if (TControl* child = ChildOf(reinterpret_cast<LPARAM>(header->hwndFrom))) return child->NotifyMessage(header);
    return DefaultProc(WM_NOTIFY, wp, lp);
}

LRESULT TControl::ChildColorAsked(UINT msg, WPARAM wp, LPARAM lp) {
    TControl* child = ChildOf(lp);
    if (!child) return DefaultProc(msg, wp, lp);
    auto dc = reinterpret_cast<HDC>(wp);
    if (HBRUSH b = ChildColor(dc, child)) return reinterpret_cast<LRESULT>(b);
    SetBkColor(dc, color_);
    return reinterpret_cast<LRESULT>(BackgroundBrush());
}

LRESULT TControl::CursorAsked(WPARAM wp, LPARAM lp) {
    if (LOWORD(lp) == HTCLIENT) {
        HCURSOR c = CursorHandle(Application->Cursor());
        if (!c) c = CursorHandle(Cursor);
        if (c) {
            ::SetCursor(c);
            return TRUE;
        }
    }
    return DefaultProc(WM_SETCURSOR, wp, lp);
}

LRESULT TControl::EraseAsked(WPARAM wp, LPARAM lp) {
    if (systemProc_) return DefaultProc(WM_ERASEBKGND, wp, lp);
    const RECT r = ClientRect(handle_);
    FillRect(reinterpret_cast<HDC>(wp), &r, BackgroundBrush());
    return TRUE;
}

LRESULT TControl::PaintAsked(WPARAM wp, LPARAM lp) {
    if (systemProc_) return DefaultProc(WM_PAINT, wp, lp);
    PaintDC dc(handle_);
    SelectGuard f(dc.get(), font_);
    Paint(dc.get());
    return 0;
}

LRESULT TControl::SizeChanged(WPARAM wp, LPARAM lp) {
    if (!placing_ && !parent_) {
        const RECT r = WindowRect(handle_);
        width_ = r.right - r.left;
        height_ = r.bottom - r.top;
    }
    for (TControl* c : children_) c->ParentResized();
    Realign();
    Resized();
    return DefaultProc(WM_SIZE, wp, lp);
}

LRESULT TControl::CharReceived(WPARAM wp, LPARAM lp) {
    if (OnKeyPress) {
        char16_t key = char16_t(wp);
        OnKeyPress(this, key);
        if (!key) return 0;
        wp = WPARAM(key);
    }
    return DefaultProc(WM_CHAR, wp, lp);
}

LRESULT TControl::OtherMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const bool mouse = msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK;
    if (mouse && MouseMessage(msg, wp, lp) && !systemProc_) return 0;
    return DefaultProc(msg, wp, lp);
}

void TControl::Place() {
    if (!handle_) return;
    placing_ = true;
    SetWindowPos(handle_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
    placing_ = false;
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    Place();
    if (parent_ && align_ != TAlign::alNone) parent_->Realign();
}

int TControl::ClientWidth() const {
    return ClientRect(handle_).right;
}

int TControl::ClientHeight() const {
    return ClientRect(handle_).bottom;
}

void TControl::SetVisible(bool v) {
    visible_ = v;
    if (handle_) ShowHandle(v);
    if (parent_ && align_ != TAlign::alNone) parent_->Realign();
}

void TControl::ShowHandle(bool v) { ShowWindow(handle_, v ? SW_SHOWNA : SW_HIDE); }

bool TControl::Enabled() const { return handle_ && IsWindowEnabled(handle_); }

void TControl::SetEnabled(bool v) { EnableWindow(handle_, v); }

std::u16string TControl::Caption() const {
    int n = GetWindowTextLengthW(handle_);
    std::u16string text(size_t(n) + 1, u'\0');
    n = GetWindowTextW(handle_, WidePtr(text), n + 1);
    text.resize(size_t(std::max(0, n)));
    return text;
}

void TControl::SetCaption(const std::u16string& text) {
    SetWindowTextW(handle_, WidePtr(text));
    if (!systemProc_) Invalidate();
}

void TControl::SetCaption(const std::string& text) { SetCaption(Wide(text)); }

void TControl::SetAlign(TAlign a) {
    if (a == align_) return;
    align_ = a;
    if (parent_) parent_->Realign();
}

// Top, then bottom, then left and right, then client: the order the layout
// tables rely on.
void TControl::Realign() {
    if (!handle_) return;
    RECT area = ClientRect(handle_);
    // A child already in place is not moved again: each move is several
    // round trips to the window server.
    auto place = [](TControl* c, int l, int t, int w, int h) {
        w = std::max(0, w);
        h = std::max(0, h);
        if (l == c->left_ && t == c->top_ && w == c->width_ && h == c->height_) return;
        c->left_ = l;
        c->top_ = t;
        c->width_ = w;
        c->height_ = h;
        c->Place();
    };
    for (TControl* c : children_)
        if (c->visible_ && c->align_ == TAlign::alTop) {
            place(c, area.left, area.top, area.right - area.left, c->height_);
            area.top += c->height_;
        }
    for (TControl* c : children_)
        if (c->visible_ && c->align_ == TAlign::alBottom) {
            place(c, area.left, area.bottom - c->height_, area.right - area.left, c->height_);
            area.bottom -= c->height_;
        }
    for (TControl* c : children_)
        if (c->visible_ && c->align_ == TAlign::alLeft) {
            place(c, area.left, area.top, c->width_, area.bottom - area.top);
            area.left += c->width_;
        }
    for (TControl* c : children_)
        if (c->visible_ && c->align_ == TAlign::alRight) {
            place(c, area.right - c->width_, area.top, c->width_, area.bottom - area.top);
            area.right -= c->width_;
        }
    for (TControl* c : children_)
        if (c->visible_ && c->align_ == TAlign::alClient)
            place(c, area.left, area.top, area.right - area.left, area.bottom - area.top);
}

void TControl::SetFont(HFONT font) {
    font_ = font;
    if (handle_) SendMessageW(handle_, WM_SETFONT, WPARAM(font), TRUE);
}

void TControl::SetColor(COLORREF c) {
    color_ = c;
    brush_ = nullptr;
    Invalidate();
}

HBRUSH TControl::BackgroundBrush() {
    if (!brush_) {
        auto& brushes = Brushes();
        auto it = brushes.find(color_);
        if (it == brushes.end()) it = brushes.emplace(color_, Brush(CreateSolidBrush(color_))).first;
        brush_ = it->second.get();
    }
    return brush_;
}

void TControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TControl::Repaint() {
    if (handle_) {
        InvalidateRect(handle_, nullptr, TRUE);
        UpdateWindow(handle_);
    }
}

void TControl::SetFocus() {
    if (handle_) ::SetFocus(handle_);
}
