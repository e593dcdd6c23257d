// Prints what the end-to-end scripts check in the desktop, one fact a line,
// texts in the ANSI code page:
//   desktop_state          every visible top-level window:
//                          "CLASS|TITLE|left top right bottom"
//   desktop_state TITLE    the child controls of the bottom-most visible window
//                          of that title, in creation order:
//                          "CLASS|left top width height|visible|STATE|TEXT",
//                          positions in the window's client area; STATE is
//                          "rows N sel I item H" for a list or combo box (then
//                          "row|I|TEXT" for each row that keeps a text),
//                          "pos P" for a scroll bar. Exit 1 when not found.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {
std::string Ask(HWND wnd, UINT msg, WPARAM wp) {
    // Asked by message, and in wide text: GetWindowText does not ask a window
    // of another process, and Wine hands list rows across processes right
    // only that way.
    WCHAR wide[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(wnd, msg, wp, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 2000, &copied))
        return "";
    char text[2048] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

std::string TextOf(HWND wnd) { return Ask(wnd, WM_GETTEXT, 1024); }

LRESULT Query(HWND wnd, UINT msg, WPARAM wp = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(wnd, msg, wp, 0, SMTO_ABORTIFHUNG, 2000, &result)) return -1;
    return LRESULT(result);
}

struct ListMessages {
    UINT count, selected, itemHeight, textLength, text;
};
const ListMessages kListBox{LB_GETCOUNT, LB_GETCURSEL, LB_GETITEMHEIGHT, LB_GETTEXTLEN, LB_GETTEXT};
const ListMessages kComboBox{CB_GETCOUNT, CB_GETCURSEL, CB_GETITEMHEIGHT, CB_GETLBTEXTLEN, CB_GETLBTEXT};

std::string ListState(HWND wnd, const ListMessages& m, std::string& rows) {
    LRESULT count = Query(wnd, m.count);
    for (LRESULT i = 0; i < count && i < 100; ++i) {
        LRESULT length = Query(wnd, m.textLength, WPARAM(i));
        if (length <= 0 || length >= 1024) continue;
        std::string text = Ask(wnd, m.text, WPARAM(i));
        if (!text.empty()) rows += "row|" + std::to_string(i) + "|" + text + "\n";
    }
    return "rows " + std::to_string(count) + " sel " + std::to_string(Query(wnd, m.selected)) + " item " +
           std::to_string(Query(wnd, m.itemHeight));
}

// The bottom-most visible window with the title: a program's main window
// lies below the boxes it owns, which may share its title.
BOOL CALLBACK FindLowest(HWND wnd, LPARAM lp) {
    auto* find = reinterpret_cast<std::pair<const char*, HWND>*>(lp);
    if (IsWindowVisible(wnd) && TextOf(wnd) == find->first) find->second = wnd;
    return TRUE;
}

BOOL CALLBACK PrintTopLevel(HWND wnd, LPARAM) {
    if (!IsWindowVisible(wnd)) return TRUE;
    char cls[256] = "";
    GetClassNameA(wnd, cls, sizeof cls);
    RECT r;
    GetWindowRect(wnd, &r);
    std::printf("%s|%s|%d %d %d %d\n", cls, TextOf(wnd).c_str(), int(r.left), int(r.top), int(r.right),
                int(r.bottom));
    return TRUE;
}

BOOL CALLBACK PrintChild(HWND wnd, LPARAM lp) {
    HWND top = reinterpret_cast<HWND>(lp);
    char cls[256] = "";
    GetClassNameA(wnd, cls, sizeof cls);
    RECT r;
    GetWindowRect(wnd, &r);
    MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&r), 2);
    std::string state, rows;
    if (lstrcmpiA(cls, "ListBox") == 0) state = ListState(wnd, kListBox, rows);
    if (lstrcmpiA(cls, "ComboBox") == 0) state = ListState(wnd, kComboBox, rows);
    if (lstrcmpiA(cls, "ScrollBar") == 0) state = "pos " + std::to_string(Query(wnd, SBM_GETPOS));
    std::printf("%s|%d %d %d %d|%d|%s|%s\n%s", cls, int(r.left), int(r.top), int(r.right - r.left),
                int(r.bottom - r.top), IsWindowVisible(wnd) ? 1 : 0, state.c_str(), TextOf(wnd).c_str(), rows.c_str());
    return TRUE;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        EnumWindows(PrintTopLevel, 0);
    } else {
        std::pair<const char*, HWND> find{argv[1], nullptr};
        EnumWindows(FindLowest, reinterpret_cast<LPARAM>(&find));
        if (!find.second) return 1;
        EnumChildWindows(find.second, PrintChild, reinterpret_cast<LPARAM>(find.second));
    }
    std::fflush(stdout);
    return 0;
}
