#pragma once
// A tool bar with flat speed buttons, separators and tooltips.
#include <memory>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/gdi.h"

struct SpeedButtonSettings : ControlSettings {
    const char* glyph = nullptr;  // bitmap resource name
    bool flat = true;
};

class TSpeedButton : public TControl {
public:
    TSpeedButton(TControl* parent, const SpeedButtonSettings& s);
    HBITMAP Glyph() const { return glyph_.get(); }
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    const char* ClassName() const override { return "TSpeedButton"; }

protected:
    void Paint(HDC dc) override;

private:
    Bitmap glyph_;
    bool flat_;
    bool hot_ = false, down_ = false;
};

struct ToolBarSettings : ControlSettings {
    ToolBarSettings() { align = TAlign::alTop; }
};

class TToolBar : public TControl {
public:
    TToolBar(TControl* parent, const ToolBarSettings& s);
    // A button at `left`, 23 x 20 at top 2 unless the settings say otherwise.
    TSpeedButton* AddButton(SpeedButtonSettings s);
    // A separator gap of `width` at `left` (drawn as an etched line).
    void AddSeparator(int left, int width);
    HWND Tooltips() const { return tips_.get(); }
    const char* ClassName() const override { return "TToolBar"; }

protected:
    void Paint(HDC dc) override;

private:
    WindowHandle tips_;
    std::vector<std::unique_ptr<TSpeedButton>> buttons_;
    std::vector<std::pair<int, int>> separators_;
};
