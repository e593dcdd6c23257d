#pragma once
// The main window's layout table: its client area, and each control's box at
// start in its parent's client area (the buttons and gaps in the tool bar,
// the path label in Panel1).
#include <string_view>

#include "ui/layout_table.h"

inline constexpr Placement kOknoLayout[] = {
    {"Okno", {0, 0, 618, 399}},  // the client area
    {"IkonyPanel", {0, 0, 618, 25}},
    {"Gap1", {0, 0, 8, 25}},
    {"SpeedButton1", {8, 2, 23, 20}},
    {"SpeedButton2", {31, 2, 23, 20}},
    {"Gap2", {54, 0, 8, 25}},
    {"SpeedButton5", {62, 2, 23, 20}},
    {"SpeedButton4", {85, 2, 23, 20}},
    {"SpeedButton3", {108, 2, 23, 20}},
    {"Dir", {8, 27, 265, 150}},
    {"disk", {288, 27, 321, 19}},
    {"files", {288, 51, 321, 278}},
    {"ImgPanel", {8, 184, 265, 177}},
    {"HornyPosuvak", {257, 185, 16, 157}},
    {"DolnyPosuvak", {9, 345, 248, 16}},
    {"filter", {400, 336, 209, 21}},
    {"Label1", {288, 342, 109, 13}},
    {"Panel1", {0, 363, 618, 19}},
    {"adresa", {0, 1, 261, 13}},
    {"DolnyPanel", {0, 380, 618, 19}},
    // The point a preview panel smaller than ImgPanel is centred on.
    {"PreviewCentre", {136, 272, 0, 0}},
};

constexpr Box OknoBox(std::string_view name) { return BoxIn(kOknoLayout, name); }
