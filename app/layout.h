#pragma once
// Layout rules of the main window that do not need a window.

#include "ui/layout_table.h"

// The boxes of the three lists that follow the tool bar.
struct ListBoxes {
    Box dir, disk, files;
};

// Showing the tool bar moves the lists down by its height and makes Dir and
// files that much shorter; hiding it does the reverse. The drive selector keeps its height.
ListBoxes ToolBarShift(ListBoxes boxes, bool toolBarShown);
