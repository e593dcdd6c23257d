// Prints the texts of a top-level window of the desktop and of its child
// windows, for the end-to-end scripts: one line each, "CLASS|TEXT", the
// window itself first. Texts are in the ANSI code page.
// usage: window_texts TITLE  |  window_texts -c CLASS     (exit 1 when not found)
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {
void PrintWindow(HWND wnd) {
    char cls[256] = "";
    char text[1024] = "";
    GetClassNameA(wnd, cls, sizeof cls);
    // Asked by message: GetWindowText does not ask a window of another process.
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(wnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        &copied);
    std::printf("%s|%s\n", cls, text);
}

BOOL CALLBACK PrintChild(HWND wnd, LPARAM) {
    PrintWindow(wnd);
    return TRUE;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    HWND wnd = (argc == 3 && std::strcmp(argv[1], "-c") == 0) ? FindWindowA(argv[2], nullptr)
                                                                : FindWindowA(nullptr, argv[1]);
    if (!wnd) return 1;
    PrintWindow(wnd);
    EnumChildWindows(wnd, PrintChild, 0);
    std::fflush(stdout);
    return 0;
}
