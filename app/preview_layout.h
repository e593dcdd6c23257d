#pragma once
// Where the preview pane puts its panel, image control and scroll bars for
// a picture of w x h pixels, in each sizing mode. Pure arithmetic, so the
// rules can be checked without windows.
#include <optional>

#include "ui/layout_table.h"

struct PreviewLayout {
    Box panel{};               // ImgPanel, in the main window's client area
    bool horzBar = false;             // DolnyPosuvak shown
    std::optional<int> horzBarWidth;  // set when the horizontal bar's width changes
    bool vertBar = false;             // HornyPosuvak shown
    bool fillPanel = false;           // Image aligned to the panel's client area, else as large as the picture
    bool center = false;
    std::optional<bool> stretch;      // the actual-size mode leaves Stretch alone
};

// Automatic mode: a picture that fits ImgPanel's start size at its natural
// size in a panel just large enough; a larger one shrunk to fit inside that
// panel's borders and stretched.
PreviewLayout AutomaticLayout(int w, int h);
// Actual-size mode: always the natural size, a scroll bar for each direction
// in which the picture is larger than the pane.
PreviewLayout ActualSizeLayout(int w, int h);

// The automatic mode's shrinking: both sides times 99/100 (divided first,
// then multiplied) until they fit inside ImgPanel's borders; at least one step.
struct ShrunkSize {
    double width = 0;
    double height = 0;
    int steps = 0;
};
ShrunkSize ShrinkToFit(int w, int h);

// Nearest integer, a tie going to the even neighbour.
int RoundHalfEven(double value);
