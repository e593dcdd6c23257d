#pragma once
// A status bar with one panel. With AutoHint the panel shows the
// application's hint; while no hint shows, it shows the simple-mode text.
#include <string>

#include "ui/control.h"

struct StatusBarSettings : ControlSettings {
    bool autoHint = true;
    StatusBarSettings() { align = TAlign::alBottom; }
};

class TStatusBar : public TControl {
public:
    TStatusBar(TControl* parent, const StatusBarSettings& s);
    ~TStatusBar() override;
    const std::u16string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::u16string& text);
    // What the panel shows now.
    std::u16string PanelText() const;
    const char* ClassName() const override { return "TStatusBar"; }

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Refresh();

    bool autoHint_;
    std::u16string simpleText_;
    bool takingText_ = false;
};
