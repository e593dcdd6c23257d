#include "ui/listbox.h"

#include "platform/text.h"
#include "ui/gdi.h"
#include "ui/owner_draw.h"
#include "ui/scope.h"

TListBox::TListBox(TControl* parent, const ListBoxSettings& s) : TControl(parent) {
    DWORD style = LBS_OWNERDRAWFIXED | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    if (s.ownRows)
        style |= LBS_NODATA;
    else
        style |= LBS_HASSTRINGS | (s.sorted ? LBS_SORT : 0);
    CreateStandard("LISTBOX", style, WS_EX_CLIENTEDGE, s);
    // WM_MEASUREITEM went to the parent before the subclassing: set it now.
    SetItemHeight(s.itemHeight);
}

// Item messages go straight to the system control: they need none of the
// framework's routing, which looks the object up (a window property) on
// every message and would dominate filling a long list.
LRESULT TListBox::Call(UINT msg, WPARAM wp, LPARAM lp) const {
    return const_cast<TListBox*>(this)->DefaultProc(msg, wp, lp);
}

int TListBox::Count() const { return int(Call(LB_GETCOUNT, 0, 0)); }

std::u16string TListBox::Item(int index) const {
    LRESULT n = Call(LB_GETTEXTLEN, WPARAM(index), 0);
    if (n == LB_ERR) return std::u16string();
    std::u16string text(size_t(n) + 1, u'\0');
    n = Call(LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(WidePtr(text)));
    text.resize(n == LB_ERR ? 0 : size_t(n));
    return text;
}

uintptr_t TListBox::ItemData(int index) const {
    LRESULT d = Call(LB_GETITEMDATA, WPARAM(index), 0);
    return d == LB_ERR ? 0 : uintptr_t(d);
}

int TListBox::Add(const std::u16string& text, uintptr_t data) {
    LRESULT i = Call(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidePtr(text)));
    if (i >= 0) Call(LB_SETITEMDATA, WPARAM(i), LPARAM(data));
    return int(i);
}

void TListBox::SetRowCount(int count) { Call(LB_SETCOUNT, WPARAM(count), 0); }

void TListBox::Clear() { Call(LB_RESETCONTENT, 0, 0); }

int TListBox::ItemIndex() const { return int(Call(LB_GETCURSEL, 0, 0)); }

void TListBox::SetItemIndex(int index) { Call(LB_SETCURSEL, WPARAM(index), 0); }

int TListBox::ItemHeight() const { return int(Call(LB_GETITEMHEIGHT, 0, 0)); }

void TListBox::SetItemHeight(int height) {
    if (height > 0) Call(LB_SETITEMHEIGHT, 0, MAKELPARAM(height, 0));
    Invalidate();
}

RECT TListBox::ItemRect(int index) const {
    RECT r{};
    Call(LB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

bool TListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_LISTBOX) return false;
    DCStateGuard state(item.hDC);
    SelectGuard font(item.hDC, Font());
    bool selected = item.itemState & ODS_SELECTED;
    if (int(item.itemID) >= 0)
        DrawRow(item.hDC, int(item.itemID), item.rcItem, selected);
    else
        FillItemBackground(item.hDC, item.rcItem, false);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return true;
}

void TListBox::DrawRow(HDC dc, int index, const RECT& row, bool selected) {
    FillItemBackground(dc, row, selected);
    const std::u16string text = Item(index);
    TextOutW(dc, row.left + 2, row.top, WidePtr(text), int(text.size()));
}

LRESULT TListBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT r = TControl::WndProc(msg, wp, lp);
    if (msg == WM_SETFONT) FontChanged();
    return r;
}
