// Prints the texts of a top-level window of the desktop and of its child
// windows, for the end-to-end scripts: one line each, "CLASS|TEXT", the
// window itself first. Texts are read wide and printed in UTF-8.
// usage: window_texts TITLE  |  window_texts -c CLASS     (exit 1 when not found)
#include <windows.h>

#include <cstdio>

#include "wide_args.h"

namespace {
void PrintWindow(HWND wnd) {
    WCHAR cls[256] = L"";
    WCHAR text[1024] = L"";
    GetClassNameW(wnd, cls, 256);
    // Asked by message: GetWindowText does not ask a window of another process.
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(wnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied);
    std::printf("%s|%s\n", Utf8(FromWide(cls)).c_str(), Utf8(FromWide(text)).c_str());
}

BOOL CALLBACK PrintChild(HWND wnd, LPARAM) {
    PrintWindow(wnd);
    return TRUE;
}
}  // namespace

int main() {
    const std::vector<std::u16string> args = WideArguments();
    if (args.empty()) return 2;
    HWND wnd = (args.size() == 2 && args[0] == u"-c") ? FindWindowW(WidePtr(args[1]), nullptr)
                                                      : FindWindowW(nullptr, WidePtr(args[0]));
    if (!wnd) return 1;
    PrintWindow(wnd);
    EnumChildWindows(wnd, PrintChild, 0);
    std::fflush(stdout);
    return 0;
}
