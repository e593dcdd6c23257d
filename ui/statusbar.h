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
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& text);
    // What the panel shows now.
    std::string PanelText() const;
    const char* ClassName() const override { return "TStatusBar"; }

private:
    void Refresh();

    bool autoHint_;
    std::string simpleText_;
};
