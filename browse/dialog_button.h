#pragma once
// The push buttons of the file-operation dialogs: 75 x 25, neither default
// nor cancel, so Enter and Esc only act on the button that holds the focus.
#include "ui/button.h"

inline ButtonSettings DialogButton(int left, int top, const char* caption, int modalResult) {
    ButtonSettings s;
    s.left = left;
    s.top = top;
    s.width = 75;
    s.height = 25;
    s.caption = caption;
    s.modalResult = modalResult;
    return s;
}
