#pragma once
// An owner-drawn list box with rows of one fixed height. Each row holds a
// text and a number for the subclass (which glyph to draw, say). The system
// list keeps the rows; a sorted list keeps them in the locale's order,
// ignoring case. With `ownRows` the subclass keeps the rows itself and the
// system list knows only their count (LBS_NODATA): filling or clearing a
// list of thousands of rows is then one message, not one (or two) per row.
#include <cstdint>
#include <string>

#include "ui/control.h"

struct ListBoxSettings : ControlSettings {
    bool sorted = false;
    bool ownRows = false;
    int itemHeight = 16;
    ListBoxSettings() { tabStop = true; }
};

class TListBox : public TControl {
public:
    TListBox(TControl* parent, const ListBoxSettings& s);

    int Count() const;
    // Own rows: the subclass's text of the row.
    virtual std::u16string Item(int index) const;
    uintptr_t ItemData(int index) const;
    // Adds a row; returns the index where it landed (its sorted place). Not
    // for own rows.
    int Add(const std::u16string& text, uintptr_t data = 0);
    // Own rows: the number of rows the subclass now holds.
    void SetRowCount(int count);
    void Clear();

    // The selected row, -1 for none.
    int ItemIndex() const;
    void SetItemIndex(int index);
    int ItemHeight() const;
    void SetItemHeight(int height);
    RECT ItemRect(int index) const;

    bool DrawItem(const DRAWITEMSTRUCT& item) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    const char* ClassName() const override { return "TListBox"; }

protected:
    // Draws row `index` (never -1) into `row`; the default draws its text.
    virtual void DrawRow(HDC dc, int index, const RECT& row, bool selected);
    // After a new font has been set.
    virtual void FontChanged() {}

private:
    LRESULT Call(UINT msg, WPARAM wp, LPARAM lp) const;
};
