#pragma once
// Tooltips that show the hints of a form's labels while the pointer rests on
// them (the properties dialog's name and folder).
#include "ui/control.h"
#include "ui/gdi.h"

class TLabelTips {
public:
    explicit TLabelTips(TControl& owner);
    TLabelTips(const TLabelTips&) = delete;
    TLabelTips& operator=(const TLabelTips&) = delete;

    // Registers the label; its tip shows the label's Hint.
    void Add(TControl& label);
    // Sets the label's Hint and the text its tip shows.
    void SetHint(TControl& label, const std::u16string& text);
    HWND Handle() const { return tips_.get(); }

private:
    WindowHandle tips_;
};
