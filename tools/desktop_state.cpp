// Prints what the end-to-end scripts check in the desktop, one fact a line,
// texts read wide and printed in UTF-8 (requests are UTF-8 too):
//   desktop_state          every visible top-level window:
//                          "CLASS|TITLE|left top right bottom"
//   desktop_state TITLE    the child controls of the bottom-most visible window
//   desktop_state -c CLASS of that title (or class), or with -top the top-most
//                          one: first
//                          "window|left top right bottom|clientX clientY|TITLE",
//                          then one line each, in creation order:
//                          "CLASS|left top width height|visible|STATE|TEXT",
//                          positions in the window's client area; STATE is
//                          "rows N sel I item H" for a list or combo box (with
//                          -rows then "row|I|TEXT" for each row that keeps a
//                          text),
//                          "pos P" for a scroll bar. Exit 1 when not found.
//   desktop_state -process NAME  "process|PID" for each running process
//                          of that program file name
//   desktop_state --serve  the same for each line of the input (the arguments
//                          as one line, empty for the top-level windows), each
//                          answer ended by a line "."
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "platform/handle.h"
#include "ui/rects.h"
#include "wide_args.h"

namespace {
std::string Ask(HWND wnd, UINT msg, WPARAM wp) {
    // Asked by message, and in wide text: GetWindowText does not ask a window
    // of another process, and Wine hands list rows across processes right
    // only that way.
    WCHAR wide[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(wnd, msg, wp, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 2000, &copied))
        return "";
    return Utf8(FromWide(wide));
}

std::string ClassOf(HWND wnd) {
    WCHAR cls[256] = L"";
    GetClassNameW(wnd, cls, 256);
    return Utf8(FromWide(cls));
}

std::string TextOf(HWND wnd) { return Ask(wnd, WM_GETTEXT, 1024); }

LRESULT Query(HWND wnd, UINT msg, WPARAM wp = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(wnd, msg, wp, 0, SMTO_ABORTIFHUNG, 2000, &result)) return -1;
    return LRESULT(result);
}

struct ListMessages {
    UINT count, selected, itemHeight, textLength, text;
};
const ListMessages kListBox{LB_GETCOUNT, LB_GETCURSEL, LB_GETITEMHEIGHT, LB_GETTEXTLEN, LB_GETTEXT};
const ListMessages kComboBox{CB_GETCOUNT, CB_GETCURSEL, CB_GETITEMHEIGHT, CB_GETLBTEXTLEN, CB_GETLBTEXT};

std::string ListState(HWND wnd, const ListMessages& m, std::string* rows) {
    LRESULT count = Query(wnd, m.count);
    for (LRESULT i = 0; rows && i < count && i < 100; ++i) {
        LRESULT length = Query(wnd, m.textLength, WPARAM(i));
        if (length <= 0 || length >= 1024) continue;
        std::string text = Ask(wnd, m.text, WPARAM(i));
        if (!text.empty()) *rows += "row|" + std::to_string(i) + "|" + text + "\n";
    }
    return "rows " + std::to_string(count) + " sel " + std::to_string(Query(wnd, m.selected)) + " item " +
           std::to_string(Query(wnd, m.itemHeight));
}

struct Wanted {
    bool byClass, topMost, rows;
    std::string name;
    HWND found;
};

// By default the bottom-most visible window of the title or class: a
// program's main window lies below the boxes it owns, which may share its
// title and class.
BOOL CALLBACK Find(HWND wnd, LPARAM lp) {
    auto* want = reinterpret_cast<Wanted*>(lp);
    if (!IsWindowVisible(wnd)) return TRUE;
    if ((want->byClass ? ClassOf(wnd) : TextOf(wnd)) != want->name) return TRUE;
    want->found = wnd;
    return !want->topMost;
}

BOOL CALLBACK PrintTopLevel(HWND wnd, LPARAM) {
    if (!IsWindowVisible(wnd)) return TRUE;
    RECT r = WindowRect(wnd);
    std::printf("%s|%s|%d %d %d %d\n", ClassOf(wnd).c_str(), TextOf(wnd).c_str(), int(r.left), int(r.top), int(r.right),
                int(r.bottom));
    return TRUE;
}

BOOL CALLBACK PrintChild(HWND wnd, LPARAM lp) {
    const Wanted& want = *reinterpret_cast<const Wanted*>(lp);
    HWND top = want.found;
    const std::string cls = ClassOf(wnd);
    RECT r = WindowRect(wnd);
    MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&r), 2);
    std::string state, rows;
    std::string* wantRows = want.rows ? &rows : nullptr;
    if (lstrcmpiA(cls.c_str(), "ListBox") == 0) state = ListState(wnd, kListBox, wantRows);
    if (lstrcmpiA(cls.c_str(), "ComboBox") == 0) state = ListState(wnd, kComboBox, wantRows);
    if (lstrcmpiA(cls.c_str(), "ScrollBar") == 0) state = "pos " + std::to_string(Query(wnd, SBM_GETPOS));
    std::printf("%s|%d %d %d %d|%d|%s|%s\n%s", cls.c_str(), int(r.left), int(r.top), int(r.right - r.left),
                int(r.bottom - r.top), IsWindowVisible(wnd) ? 1 : 0, state.c_str(), TextOf(wnd).c_str(), rows.c_str());
    return TRUE;
}

bool PrintProcesses(const std::string& name) {
    const FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return false;
    const std::u16string wanted = FromUtf8(name);
    PROCESSENTRY32W p{};
    p.dwSize = sizeof p;
    for (BOOL more = Process32FirstW(snapshot.get(), &p); more; more = Process32NextW(snapshot.get(), &p)) {
        if (lstrcmpiW(p.szExeFile, WidePtr(wanted)) == 0)
            std::printf("process|%lu\n", static_cast<unsigned long>(p.th32ProcessID));
    }
    return true;
}

// One request: empty for the top-level windows, "-process NAME", else
// "[-top] [-rows] [-c] NAME".
bool Report(std::string request) {
    if (request.empty()) return EnumWindows(PrintTopLevel, 0), true;
    if (request.rfind("-process ", 0) == 0) return PrintProcesses(request.substr(9));
    Wanted want{false, false, false, "", nullptr};
    for (;;) {
        if (request.rfind("-c ", 0) == 0) {
            want.byClass = true;
            request.erase(0, 3);
        } else if (request.rfind("-top ", 0) == 0) {
            want.topMost = true;
            request.erase(0, 5);
        } else if (request.rfind("-rows ", 0) == 0) {
            want.rows = true;
            request.erase(0, 6);
        } else {
            break;
        }
    }
    want.name = request;
    EnumWindows(Find, reinterpret_cast<LPARAM>(&want));
    if (!want.found) return false;
    RECT r = WindowRect(want.found);
    POINT origin{0, 0};
    ClientToScreen(want.found, &origin);
    std::printf("window|%d %d %d %d|%d %d|%s\n", int(r.left), int(r.top), int(r.right), int(r.bottom),
                int(origin.x), int(origin.y), TextOf(want.found).c_str());
    EnumChildWindows(want.found, PrintChild, reinterpret_cast<LPARAM>(&want));
    return true;
}
}  // namespace

int main() {
    const std::vector<std::u16string> args = WideArguments();
    if (args.size() == 1 && args[0] == u"--serve") {
        for (std::string line; std::getline(std::cin, line);) {
            Report(line);
            std::printf(".\n");
            std::fflush(stdout);
        }
        return 0;
    }
    std::string request;
    for (size_t i = 0; i < args.size(); ++i) request += (i > 0 ? " " : "") + Utf8(args[i]);
    const bool found = Report(request);
    std::fflush(stdout);
    return found ? 0 : 1;
}
