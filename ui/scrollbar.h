#pragma once
// A scroll bar control with the framework's position rules: line steps of
// SmallChange, page steps of LargeChange, the new position clamped to the
// range, OnScroll before the bar takes it and OnChange after every change.
#include <functional>

#include "ui/control.h"

enum class TScrollKind { Horizontal, Vertical };
using TScrollEvent = std::function<void(TObject* sender, WORD code, int& pos)>;

struct ScrollBarSettings : ControlSettings {
    TScrollKind kind = TScrollKind::Horizontal;
    ScrollBarSettings() { tabStop = true; }
};

class TScrollBar : public TControl {
public:
    TScrollBar(TControl* parent, const ScrollBarSettings& s);
    int Position() const { return position_; }
    void SetPosition(int pos);
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetMin(int v);
    void SetMax(int v);
    int LargeChange() const { return largeChange_; }
    // Stored as given: no checks.
    void SetLargeChange(int v) { largeChange_ = v; }
    int SmallChange() const { return smallChange_; }
    // What the bar does for one scroll code (SB_LINEDOWN, ...).
    void Scroll(WORD code, int trackPos = 0);

    TScrollEvent OnScroll;
    TNotifyEvent OnChange;
    void ScrollMessage(WORD code) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    const char* ClassName() const override { return "TScrollBar"; }

private:
    void UpdateSystemBar();
    // min <= max; the position is clamped into the range.
    void SetRange(int min, int max);
    void Cancel();

    // A cancel-mode message (a box about to show) ends the press being
    // tracked: until the system has ended its tracking, the bar scrolls no
    // further.
    bool cancelled_ = false;
    bool scrolling_ = false;

    int position_ = 0, min_ = 0, max_ = 100;
    int largeChange_ = 1, smallChange_ = 1;
};
