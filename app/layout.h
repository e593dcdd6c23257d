#pragma once
// Layout rules of the main window that do not need a window.

struct Box {
    int left, top, width, height;
};

// The boxes of the three lists that follow the tool bar.
struct ListBoxes {
    Box dir, disk, files;
};

// Showing the tool bar moves the lists down by 25 and makes Dir and files 25
// shorter; hiding it does the reverse. The drive selector keeps its height.
ListBoxes ToolBarShift(ListBoxes boxes, bool toolBarShown);
