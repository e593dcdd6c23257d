#pragma once
// An owner-drawn drop-down list (no edit field) with rows of one fixed
// height. Each row holds a text and a number for the subclass. The height of
// the settings is the closed box's; the dropped list shows `dropDownCount`
// rows.
#include <cstdint>
#include <string>

#include "ui/control.h"

struct ComboBoxSettings : ControlSettings {
    int itemHeight = 16;
    int dropDownCount = 8;
    ComboBoxSettings() { tabStop = true; }
};

class TComboBox : public TControl {
public:
    TComboBox(TControl* parent, const ComboBoxSettings& s);

    int Count() const;
    std::u16string Item(int index) const;
    uintptr_t ItemData(int index) const;
    int Add(const std::u16string& text, uintptr_t data = 0);
    void Clear();

    // The selected row, -1 for none.
    int ItemIndex() const;
    void SetItemIndex(int index);
    int ItemHeight() const;
    void SetItemHeight(int height);
    bool DroppedDown() const;

    bool DrawItem(const DRAWITEMSTRUCT& item) override;
    // One pick, one report: the mouse, the arrows on the closed box, or the
    // keys in the dropped list ended by Enter. Moving through the dropped
    // list reports nothing; Esc puts back the row it started from.
    void Notify(WORD code) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    const char* ClassName() const override { return "TComboBox"; }

protected:
    // Draws row `index` into `row`; -1 is the closed box with nothing selected.
    virtual void DrawRow(HDC dc, int index, const RECT& row, bool selected);
    // The user picked a row other than the one last picked or set.
    virtual void SelectionChanged() {}
    virtual void FontChanged() {}
    // Sizes the closed box's field so the box is `height` pixels high.
    void FitClosedHeight(int height);

private:
    LRESULT Call(UINT msg, WPARAM wp, LPARAM lp) const;
    int WindowHeight() const;
    void Picked();

    int picked_ = -1;  // the row last reported or set
    bool pending_ = false;
};
