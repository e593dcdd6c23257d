#pragma once
// Menu bar with check marks, shortcuts, mnemonics, hints and glyphs.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/gdi.h"
#include "ui/object.h"

// Shortcut codes: the key code with flag bits, as the layout tables store them.
constexpr uint16_t scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
std::string ShortCutToText(uint16_t shortcut);

struct MenuItemSettings {
    const char* name = "";
    std::string caption;  // "-" for a separator
    std::string hint;
    uint16_t shortcut = 0;
    bool checked = false;
    bool enabled = true;
    const char* glyph = nullptr;  // bitmap resource name
    int groupIndex = 0;
};

class TMenuItem : public TObject {
public:
    explicit TMenuItem(const MenuItemSettings& s);
    TMenuItem* Add(const MenuItemSettings& s);

    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    const std::string& Hint() const { return hint_; }
    uint16_t ShortCut() const { return shortcut_; }
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    int GroupIndex() const { return groupIndex_; }
    bool HasGlyph() const { return bool(glyph_); }
    UINT Command() const { return id_; }
    const std::vector<std::unique_ptr<TMenuItem>>& Items() const { return items_; }
    // Runs OnClick (as a click on the item would).
    void Click();

    TNotifyEvent OnClick;
    const char* ClassName() const override { return "TMenuItem"; }

private:
    friend class TMainMenu;
    void Build(HMENU into);
    void Collect(std::vector<TMenuItem*>& out);

    std::string name_, caption_, hint_;
    uint16_t shortcut_;
    bool checked_, enabled_;
    int groupIndex_;
    Bitmap glyph_;
    UINT id_;
    HMENU owner_ = nullptr;
    HMENU popup_ = nullptr;  // owned by the menu bar once built
    std::vector<std::unique_ptr<TMenuItem>> items_;
};

class TMainMenu : public TObject {
public:
    TMainMenu();
    TMenuItem* Add(const MenuItemSettings& s) { return root_.Add(s); }
    // Builds the menu bar and the accelerator table from the items.
    void Build();
    HMENU Handle() const { return bar_.get(); }
    HACCEL Accelerators() const { return accel_.get(); }
    void SetOwnerWindow(HWND wnd) { owner_ = wnd; }
    void Dispatch(UINT id);
    std::u16string HintOf(UINT id);
    // An item's glyph, for its window's WM_MEASUREITEM and WM_DRAWITEM: its
    // own size plus the gap before the caption; drawn with its transparent
    // colour on whatever the item shows (the highlight too). False when the
    // item has none.
    bool MeasureItem(MEASUREITEMSTRUCT& item);
    bool DrawItem(const DRAWITEMSTRUCT& item);
    static constexpr int kGlyphGap = 4;
    TMenuItem* Find(const std::string& name);
    TMenuItem* FindCommand(UINT id);
    const char* ClassName() const override { return "TMainMenu"; }

private:
    std::vector<TMenuItem*> All();

    TMenuItem root_;
    MenuHandle bar_;
    AccelTable accel_;
    HWND owner_ = nullptr;
};
