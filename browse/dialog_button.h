#pragma once
// The push buttons of the file-operation dialogs: neither default nor
// cancel, so Enter and Esc only act on the button that holds the focus.
#include "ui/button.h"
#include "ui/layout_table.h"

inline ButtonSettings DialogButton(const Box& box, const char* caption, int modalResult) {
    auto s = PlacedAt<ButtonSettings>(box);
    s.caption = caption;
    s.modalResult = modalResult;
    return s;
}
