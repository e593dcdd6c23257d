#pragma once
// The program's main window as a benchmark's thread sees it: where its rows
// are on the screen, and the settings a run starts from. Each call runs on
// the program's thread through Driven::Ui.
#include <windows.h>

#include <functional>
#include <string>

#include "bench/harness/driven.h"
#include "bench/harness/x_screen.h"
#include "picture/image.h"
#include "ui/listbox.h"

namespace bench {

// Enters the folder (a Windows path) through the folder list.
void EnterFolder(Driven& d, const std::string& folder);
// Checks or clears "Celá obrazovka".
void SetFullScreen(Driven& d, bool on);
// The screen point in the middle of the first row of the list for which
// `wanted` holds; throws, naming `what`, when there is none.
POINT ListRow(Driven& d, const TListBox& list, const std::function<bool(int row)>& wanted, const std::string& what);
// The screen point in the middle of the file list's row for `name`; throws
// when the list has no such row.
POINT FileRow(Driven& d, const std::string& name);
// Whether the preview pane shows `name`: its row is selected, the window's
// caption names it and the pane shows the picture's pixels. On the
// program's thread, at the end of a paint of the pane.
bool Previewed(const std::string& name);
// Clicks the row of `name` and waits until the pane has painted it
// (Previewed); returns the seconds from the click. Throws when it does not.
double Preview(Driven& d, XScreen& x, const std::string& name);
// Double-clicks the row of `name` (its first click previews it again) and
// waits until `viewer`, the picture of the viewer that opens, has painted
// the previewed picture (ShowsPicture, the same size); returns the seconds
// from the second press. Throws when either paint does not come.
double OpenViewer(Driven& d, XScreen& x, const std::string& name, TImage& viewer);
// Shows `path` in the pane as the open command does, leaving the file list
// as it is, and waits until the pane has painted.
void ShowInPane(Driven& d, const std::string& path);
// Presses Enter in the file list and waits until `viewer`, the picture of
// the viewer that opens, has painted a picture of `width` x `height`
// (ShowsPicture); returns the seconds from the press.
double OpenViewerWithEnter(Driven& d, XScreen& x, TImage& viewer, int width, int height);
// Closes the viewer `form` with a double-click in the middle of its
// picture's window `image` and waits until it is hidden.
void CloseViewerOnPicture(Driven& d, XScreen& x, const TControl& form, const TControl& image);
// Closes the viewer `form` with Enter and waits until it is hidden.
void CloseViewer(Driven& d, XScreen& x, const TControl& form);

}  // namespace bench
