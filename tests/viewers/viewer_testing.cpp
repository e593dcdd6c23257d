#include "viewer_testing.h"

#include <exception>

#include "../picture/picture_testing.h"
#include "app/okno.h"
#include "fixture.h"
#include "ui/rects.h"

namespace viewtest {

std::vector<uint8_t> FlatBmp(int width, int height, COLORREF colour) {
    BmpFields f;
    f.width = width;
    f.height = height;
    f.bits = 8;
    f.clrUsed = 1;
    f.colours = {GetBValue(colour), GetGValue(colour), GetRValue(colour), 0};
    f.pixels.assign(size_t((width + 3) / 4 * 4) * size_t(height), 0);
    return BuildBmp(f);
}

std::u16string WriteBmp(const TempFolder& folder, const std::u16string& name, int width, int height) {
    folder.Write(name, FlatBmp(width, height));
    return folder.File(name);
}

namespace {
struct Watch {
    const std::function<void()>* action;
    const std::function<void(HWND)>* answer;
    std::exception_ptr error;
};
}  // namespace

bool WhileUp(const std::function<void()>& action, const std::function<void(HWND)>& answer) {
    Watch watch{&action, &answer, nullptr};
    bool up = WhileModal(
        "Lumeno.Form",
        [](void* c) {
            auto* w = static_cast<Watch*>(c);
            // The fixture's watch must end normally: keep the error for later.
            try {
                (*w->action)();
            } catch (...) {
                w->error = std::current_exception();
            }
        },
        &watch, [](HWND wnd, void* c) { (*static_cast<Watch*>(c)->answer)(wnd); });
    if (watch.error) std::rethrow_exception(watch.error);
    return up;
}

KeepMainFolder::KeepMainFolder() : folder_(MainWindow().Dir->Directory()) {}

KeepMainFolder::~KeepMainFolder() {
    try {
        Okno->files->SetItemIndex(-1);
        Okno->Dir->SetDirectory(folder_);
    } catch (const std::exception&) {
    }
}

bool SelectFile(TOkno& w, const std::u16string& folder, const std::u16string& name) {
    w.Dir->SetDirectory(folder);
    for (int i = 0; i < w.files->Count(); ++i)
        if (w.files->Item(i) == name) {
            w.files->SetItemIndex(i);
            return true;
        }
    return false;
}

HWND Taskbar() { return FindWindowA("Shell_TrayWnd", nullptr); }

void SettleTaskbar() { SendMessageTimeoutA(Taskbar(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr); }

Rect WindowBox(HWND wnd) {
    const RECT r = WindowRect(wnd);
    return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Rect ClientBox(HWND wnd) {
    const RECT r = ClientRect(wnd);
    POINT origin{0, 0};
    ClientToScreen(wnd, &origin);
    return Rect{origin.x, origin.y, r.right, r.bottom};
}

}  // namespace viewtest
