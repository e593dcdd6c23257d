#pragma once
// Helpers of the file-operation tests: commands sent through the main
// window's menu, dialogs answered from inside their modal loops, and a
// folder list moved into a test folder for the length of a test.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

class TControl;
class TMenuItem;
class TListBox;

// Runs `action` and answers the first window of class `cls` that comes up
// modally with `answer`; returns whether one came up.
bool Answering(const char* cls, const std::function<void()>& action, const std::function<void(HWND)>& answer);
// Answers the program's next modal form.
bool AnsweringForm(const std::function<void()>& action, const std::function<void(HWND)>& answer);

// The menu item's command, sent to the main window as a click on it would.
void SendMenuCommand(TMenuItem* item);
// A real click on a push button, run to its end.
void ClickButton(TControl& button);
// The close box of a window.
void CloseBox(HWND wnd);

// The main window's folder list (and with it the file list) shows `path`
// until the object goes; then the folder of before comes back.
class BrowseIn {
public:
    explicit BrowseIn(const std::u16string& path);
    ~BrowseIn();
    BrowseIn(const BrowseIn&) = delete;
    BrowseIn& operator=(const BrowseIn&) = delete;

private:
    std::u16string previous_;
};

// The row of the list with exactly this text, -1 when there is none.
int RowOf(const TListBox& list, const std::u16string& text);
// Selects the file list's row for the file name (as a click would, without
// the preview); false when the list has no such row.
bool SelectFile(const std::u16string& name);

bool IsFile(const std::u16string& path);
bool IsFolder(const std::u16string& path);
std::string ReadAll(const std::u16string& path);
void WriteAll(const std::u16string& path, const std::string& bytes);
// How many files and folders a folder holds.
int EntryCount(const std::u16string& folder);

// A valid 24-bit BMP file of the size, every pixel the colour (BGR bytes).
std::string TinyBmp(int width, int height, uint32_t bgr = 0x204080);
