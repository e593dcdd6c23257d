#include "app/layout.h"

ListBoxes ToolBarShift(ListBoxes b, bool toolBarShown) {
    int d = toolBarShown ? 25 : -25;
    b.dir.top += d;
    b.disk.top += d;
    b.files.top += d;
    b.dir.height -= d;
    b.files.height -= d;
    return b;
}
