#include "ui/menu.h"

#include "platform/text.h"
#include "ui/glyph.h"

namespace {
UINT NextCommandId() {
    static UINT id = 1000;
    return id++;
}
}  // namespace

std::string ShortCutToText(uint16_t shortcut) {
    if (!shortcut) return "";
    std::string text;
    if (shortcut & scShift) text += "Shift+";
    if (shortcut & scCtrl) text += "Ctrl+";
    if (shortcut & scAlt) text += "Alt+";
    char key = char(shortcut & 0xFF);
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) text += key;
    return text;
}

TMenuItem::TMenuItem(const MenuItemSettings& s)
    : name_(s.name),
      caption_(s.caption),
      hint_(s.hint),
      shortcut_(s.shortcut),
      checked_(s.checked),
      enabled_(s.enabled),
      groupIndex_(s.groupIndex),
      id_(NextCommandId()) {
    if (s.glyph) glyph_ = LoadResourceBitmap(s.glyph);
}

TMenuItem* TMenuItem::Add(const MenuItemSettings& s) {
    items_.push_back(std::make_unique<TMenuItem>(s));
    return items_.back().get();
}

void TMenuItem::SetChecked(bool v) {
    checked_ = v;
    if (owner_) CheckMenuItem(owner_, id_, MF_BYCOMMAND | (v ? MF_CHECKED : MF_UNCHECKED));
}

void TMenuItem::SetEnabled(bool v) {
    enabled_ = v;
    if (owner_) EnableMenuItem(owner_, id_, MF_BYCOMMAND | (v ? MF_ENABLED : MF_GRAYED));
}

void TMenuItem::Click() {
    if (enabled_ && OnClick) OnClick(this);
}

void TMenuItem::Build(HMENU into) {
    owner_ = into;
    if (caption_ == "-") {
        AppendMenuW(into, MF_SEPARATOR, 0, nullptr);
        return;
    }
    std::u16string text = Wide(caption_);
    if (shortcut_) text += u"\t" + Wide(ShortCutToText(shortcut_));
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_FTYPE;
    info.fType = MFT_STRING;
    info.dwTypeData = WidePtr(text);
    info.wID = id_;
    info.fState = (checked_ ? MFS_CHECKED : 0) | (enabled_ ? 0 : MFS_GRAYED);
    if (!items_.empty()) {
        popup_ = CreatePopupMenu();
        for (auto& child : items_) child->Build(popup_);
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = popup_;
    }
    if (glyph_) {
        // Drawn by the menu's window (MeasureItem, DrawItem): the system
        // inverts a bitmap of its own on a highlighted item.
        info.fMask |= MIIM_BITMAP;
        info.hbmpItem = HBMMENU_CALLBACK;
    }
    InsertMenuItemW(into, GetMenuItemCount(into), TRUE, &info);
}

void TMenuItem::Collect(std::vector<TMenuItem*>& out) {
    for (auto& child : items_) {
        out.push_back(child.get());
        child->Collect(out);
    }
}

TMainMenu::TMainMenu() : root_(MenuItemSettings{}) {}

void TMainMenu::Build() {
    bar_.reset(CreateMenu());
    for (auto& item : root_.items_) item->Build(bar_.get());
    std::vector<ACCEL> keys;
    for (TMenuItem* item : All())
        if (item->shortcut_) {
            BYTE flags = FVIRTKEY;
            if (item->shortcut_ & scCtrl) flags |= FCONTROL;
            if (item->shortcut_ & scShift) flags |= FSHIFT;
            if (item->shortcut_ & scAlt) flags |= FALT;
            keys.push_back(ACCEL{flags, WORD(item->shortcut_ & 0xFF), WORD(item->id_)});
        }
    if (!keys.empty()) accel_.reset(CreateAcceleratorTableW(keys.data(), int(keys.size())));
}

std::vector<TMenuItem*> TMainMenu::All() {
    std::vector<TMenuItem*> out;
    root_.Collect(out);
    return out;
}

TMenuItem* TMainMenu::FindCommand(UINT id) {
    for (TMenuItem* item : All())
        if (item->id_ == id) return item;
    return nullptr;
}

TMenuItem* TMainMenu::Find(const std::string& name) {
    for (TMenuItem* item : All())
        if (item->name_ == name) return item;
    return nullptr;
}

void TMainMenu::Dispatch(UINT id) {
    if (TMenuItem* item = FindCommand(id)) item->Click();
}

bool TMainMenu::MeasureItem(MEASUREITEMSTRUCT& item) {
    TMenuItem* owner = FindCommand(item.itemID);
    if (!owner || !owner->glyph_) return false;
    SIZE size = BitmapSize(owner->glyph_.get());
    item.itemWidth = UINT(size.cx + kGlyphGap);
    item.itemHeight = UINT(size.cy);
    return true;
}

bool TMainMenu::DrawItem(const DRAWITEMSTRUCT& item) {
    TMenuItem* owner = FindCommand(item.itemID);
    if (!owner || !owner->glyph_) return false;
    HBITMAP glyph = owner->glyph_.get();
    SIZE size = BitmapSize(glyph);
    DrawGlyph(item.hDC, glyph, item.rcItem.left, (item.rcItem.top + item.rcItem.bottom - size.cy) / 2);
    return true;
}

std::u16string TMainMenu::HintOf(UINT id) {
    TMenuItem* item = FindCommand(id);
    return item ? Wide(item->Hint()) : std::u16string();
}
