#include "ui/combobox.h"

#include "platform/text.h"
#include "ui/gdi.h"
#include "ui/owner_draw.h"
#include "ui/rects.h"
#include "ui/scope.h"

namespace {
// Room for the dropped list below the closed box.
ControlSettings WithDropDown(const ComboBoxSettings& s) {
    ControlSettings c = s;
    c.height = s.height + s.dropDownCount * s.itemHeight + 2;
    return c;
}
}  // namespace

TComboBox::TComboBox(TControl* parent, const ComboBoxSettings& s) : TControl(parent) {
    DWORD style = CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL;
    CreateStandard("COMBOBOX", style, 0, WithDropDown(s));
    SetItemHeight(s.itemHeight);
    FitClosedHeight(s.height);
}

int TComboBox::WindowHeight() const {
    const RECT r = WindowRect(Handle());
    return r.bottom - r.top;
}

// The system sizes the closed box from the field's item height plus its own
// borders; find the field height that gives the wanted box.
void TComboBox::FitClosedHeight(int height) {
    // Each try resizes the box and its list: none when the box fits already.
    height_ = WindowHeight();
    if (height_ == height) return;
    int field = height - 6;
    for (int tries = 0; tries < 3 && field > 0; ++tries) {
        Call(CB_SETITEMHEIGHT, WPARAM(-1), LPARAM(field));
        int got = WindowHeight();
        if (got == height) break;
        field += height - got;
    }
    height_ = WindowHeight();
}

// Item messages go straight to the system control: they need none of the
// framework's routing, which looks the object up (a window property) on
// every message and would dominate filling a long list.
LRESULT TComboBox::Call(UINT msg, WPARAM wp, LPARAM lp) const {
    return const_cast<TComboBox*>(this)->DefaultProc(msg, wp, lp);
}

int TComboBox::Count() const { return int(Call(CB_GETCOUNT, 0, 0)); }

std::u16string TComboBox::Item(int index) const {
    LRESULT n = Call(CB_GETLBTEXTLEN, WPARAM(index), 0);
    if (n == CB_ERR) return std::u16string();
    std::u16string text(size_t(n) + 1, u'\0');
    n = Call(CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(WidePtr(text)));
    text.resize(n == CB_ERR ? 0 : size_t(n));
    return text;
}

uintptr_t TComboBox::ItemData(int index) const {
    LRESULT d = Call(CB_GETITEMDATA, WPARAM(index), 0);
    return d == CB_ERR ? 0 : uintptr_t(d);
}

int TComboBox::Add(const std::u16string& text, uintptr_t data) {
    LRESULT i = Call(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidePtr(text)));
    if (i >= 0) Call(CB_SETITEMDATA, WPARAM(i), LPARAM(data));
    return int(i);
}

void TComboBox::Clear() {
    Call(CB_RESETCONTENT, 0, 0);
    picked_ = -1;
}

int TComboBox::ItemIndex() const { return int(Call(CB_GETCURSEL, 0, 0)); }

void TComboBox::SetItemIndex(int index) {
    Call(CB_SETCURSEL, WPARAM(index), 0);
    picked_ = ItemIndex();
}

int TComboBox::ItemHeight() const { return int(Call(CB_GETITEMHEIGHT, 0, 0)); }

void TComboBox::SetItemHeight(int height) {
    if (height > 0) Call(CB_SETITEMHEIGHT, 0, LPARAM(height));
}

bool TComboBox::DroppedDown() const { return Call(CB_GETDROPPEDSTATE, 0, 0) != 0; }

bool TComboBox::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_COMBOBOX) return false;
    DCStateGuard state(item.hDC);
    SelectGuard font(item.hDC, Font());
    DrawRow(item.hDC, int(item.itemID), item.rcItem, item.itemState & ODS_SELECTED);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return true;
}

void TComboBox::DrawRow(HDC dc, int index, const RECT& row, bool selected) {
    FillItemBackground(dc, row, selected);
    if (index < 0) return;
    const std::u16string text = Item(index);
    RECT r = row;
    r.left += 2;
    DrawTextW(dc, WidePtr(text), int(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

// The system says a selection is to be processed (CBN_SELENDOK) for a click
// on a row, Enter in the dropped list and an arrow on the closed box; while
// the list shows, the pick waits for it to close. Rows passed in the dropped
// list are changes, not picks; a cancelled list gets its row of before back.
void TComboBox::Notify(WORD code) {
    switch (code) {
        case CBN_SELENDOK:
            if (DroppedDown())
                pending_ = true;
            else
                Picked();
            break;
        case CBN_CLOSEUP:
            if (pending_) Picked();
            break;
        case CBN_SELCHANGE:
            if (!DroppedDown()) Picked();
            break;
        case CBN_SELENDCANCEL:
            pending_ = false;
            if (ItemIndex() != picked_) SetItemIndex(picked_);
            break;
        default: break;
    }
}

void TComboBox::Picked() {
    pending_ = false;
    int index = ItemIndex();
    if (index == picked_) return;
    picked_ = index;
    SelectionChanged();
}

LRESULT TComboBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT r = TControl::WndProc(msg, wp, lp);
    if (msg == WM_SETFONT) FontChanged();
    return r;
}
