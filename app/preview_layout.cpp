#include "app/preview_layout.h"

#include <cmath>

namespace {
// The pane: largest picture shown unscaled (automatic) or without a bar (actual).
constexpr int kPaneWidth = 265, kPaneHeight = 177;
// What a shrunk picture must fit into.
constexpr int kFitWidth = 261, kFitHeight = 173;
// The panel beside the vertical bar, and above the horizontal one.
constexpr int kBesideBarWidth = 249, kAboveBarHeight = 161;
// Panel left and top when a bar is shown.
constexpr int kBarPanelLeft = 8, kBarPanelTop = 184;
// Centre lines a smaller panel is placed on.
constexpr int kCentreX = 136, kCentreY = 272;
// Two border pixels on each side.
constexpr int kBorders = 4;
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
    if (w > kPaneWidth || h > kPaneHeight) {
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
    if (w > kPaneWidth) {
        l.horzBar = true;
        l.panel.width = h <= kPaneHeight ? kPaneWidth : kBesideBarWidth;
        l.horzBarWidth = l.panel.width;
        l.panel.left = kBarPanelLeft;
    } else {
        l.panel.width = w + kBorders;
        l.panel.left = kCentreX - l.panel.width / 2;
    }
    if (h > kPaneHeight) {
        l.vertBar = true;
        l.panel.height = kAboveBarHeight;
        l.panel.top = kBarPanelTop;
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
