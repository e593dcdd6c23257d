#pragma once
// A container with a sunken border or bevels.
#include "ui/control.h"

enum class TPanelBorder {
    None,
    Single,        // one sunken line, 2 pixels on each side
    RaisedBevel,   // raised inner and lowered outer bevel
};

struct PanelSettings : ControlSettings {
    TPanelBorder border = TPanelBorder::None;
    COLORREF color = GetSysColor(COLOR_BTNFACE);
};

class TPanel : public TControl {
public:
    TPanel(TControl* parent, const PanelSettings& s);
    const char* ClassName() const override { return "TPanel"; }

protected:
    void Paint(HDC dc) override;

private:
    TPanelBorder border_;
};
