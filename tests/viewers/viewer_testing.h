#pragma once
// Helpers of the viewer tests: picture files of a chosen size, the main
// window's lists put on a test folder, and answering a viewer from inside
// its modal loop.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TOkno;
class TempFolder;

// Kept in a namespace: the test program links every layer's helpers.
namespace viewtest {

// An 8-bit BMP of one colour.
std::vector<uint8_t> FlatBmp(int width, int height, COLORREF colour = RGB(200, 40, 40));
// Writes FlatBmp into the folder; returns the full path.
std::u16string WriteBmp(const TempFolder& folder, const std::u16string& name, int width, int height);

// Runs `action`; `answer` runs on the first program window ("Lumeno.Form")
// that is up, visible and enabled, while the action runs its modal loop.
// An error that leaves the action is thrown again after the watch ended.
// Returns whether a window came up.
bool WhileUp(const std::function<void()>& action, const std::function<void(HWND)>& answer);

// Puts the main window's folder list back where it was, whatever a test did.
class KeepMainFolder {
public:
    KeepMainFolder();
    ~KeepMainFolder();

private:
    std::u16string folder_;
};

// Moves the main window's lists to `folder` and selects the row `name`
// there without previewing it; false when the row is missing.
bool SelectFile(TOkno& w, const std::u16string& folder, const std::u16string& name);

// The desktop's taskbar window (Wine's "shell" desktop has one).
HWND Taskbar();
// Returns once the taskbar's thread has acted on what was sent to it before.
void SettleTaskbar();

struct Rect {
    long left, top, width, height;
};
Rect WindowBox(HWND wnd);
Rect ClientBox(HWND wnd);

}  // namespace viewtest
using namespace viewtest;
