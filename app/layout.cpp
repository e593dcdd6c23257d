#include "app/layout.h"

#include "app/okno_layout.h"

ListBoxes ToolBarShift(ListBoxes b, bool toolBarShown) {
    constexpr int toolBar = OknoBox("IkonyPanel").height;
    const int d = toolBarShown ? toolBar : -toolBar;
    b.dir.top += d;
    b.disk.top += d;
    b.files.top += d;
    b.dir.height -= d;
    b.files.height -= d;
    return b;
}
