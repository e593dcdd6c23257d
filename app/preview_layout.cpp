#include "app/preview_layout.h"

#include <cmath>

#include "app/okno_layout.h"

namespace {
// The pane, ImgPanel at start: largest picture shown unscaled (automatic) or
// without a bar (actual), and where the panel goes when a bar is shown.
constexpr Box kPane = OknoBox("ImgPanel");
// Two border pixels on each side.
constexpr int kBorders = 4;
// What a shrunk picture must fit into.
constexpr int kFitWidth = kPane.width - kBorders, kFitHeight = kPane.height - kBorders;
// The panel beside the vertical bar, and above the horizontal one.
constexpr int kBesideBarWidth = kPane.width - OknoBox("HornyPosuvak").width;
constexpr int kAboveBarHeight = kPane.height - OknoBox("DolnyPosuvak").height;
// Centre lines a smaller panel is placed on.
constexpr int kCentreX = OknoBox("PreviewCentre").left, kCentreY = OknoBox("PreviewCentre").top;
}  // namespace

int RoundHalfEven(double value) { return int(std::nearbyint(value)); }

ShrunkSize ShrinkToFit(int w, int h) {
    ShrunkSize s{double(w), double(h), 0};
    do {
        s.width = s.width / 100 * 99;
        s.height = s.height / 100 * 99;
        ++s.steps;
    } while (!(s.width <= kFitWidth && s.height <= kFitHeight));
    return s;
}

PreviewLayout AutomaticLayout(int w, int h) {
    PreviewLayout l;
    l.fillPanel = true;
    if (w > kPane.width || h > kPane.height) {
        const ShrunkSize s = ShrinkToFit(w, h);
        l.stretch = true;
        l.panel.width = RoundHalfEven(s.width) + kBorders;
        l.panel.height = RoundHalfEven(s.height) + kBorders;
        l.panel.left = kCentreX - l.panel.width / 2;
        l.panel.top = kCentreY - l.panel.height / 2;
    } else {
        l.stretch = false;
        l.center = true;
        l.panel.width = w + kBorders;
        l.panel.height = h + kBorders;
        // From the picture's size, not the panel's: 2 pixels further right
        // and down than a scaled panel of the same size.
        l.panel.left = kCentreX - w / 2;
        l.panel.top = kCentreY - h / 2;
    }
    return l;
}

PreviewLayout ActualSizeLayout(int w, int h) {
    PreviewLayout l;
    if (w > kPane.width) {
        l.horzBar = true;
        l.panel.width = h <= kPane.height ? kPane.width : kBesideBarWidth;
        l.horzBarWidth = l.panel.width;
        l.panel.left = kPane.left;
    } else {
        l.panel.width = w + kBorders;
        l.panel.left = kCentreX - l.panel.width / 2;
    }
    if (h > kPane.height) {
        l.vertBar = true;
        l.panel.height = kAboveBarHeight;
        l.panel.top = kPane.top;
    } else {
        l.panel.height = h + kBorders;
        // Also for a wide picture, which would otherwise keep the last top.
        l.panel.top = kCentreY - l.panel.height / 2;
    }
    if (w <= kBesideBarWidth && h <= kAboveBarHeight) {
        l.fillPanel = true;
        l.center = true;
    }
    return l;
}
