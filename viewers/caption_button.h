#pragma once
// A flat speed button that shows a caption instead of a glyph (the about
// box's "O.K.").
#include "ui/toolbar.h"

class TCaptionButton : public TSpeedButton {
public:
    TCaptionButton(TControl* parent, const SpeedButtonSettings& s);
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    const char* ClassName() const override { return "TCaptionButton"; }

protected:
    void Paint(HDC dc) override;

private:
    bool pressed_ = false;
};
