#include "fixture.h"

#include <memory>

#include "app/okno.h"
#include "browse/new_dir.h"
#include "browse/premenuj.h"
#include "browse/vymazat.h"
#include "picture/kinds.h"
#include "platform/handle.h"
#include "viewers/about_box.h"
#include "viewers/image_form.h"
#include "viewers/image_form2.h"
#include "viewers/vlastnosti.h"

TApplication& TestApplication() {
    static TApplication* app = [] {
        RegisterPictureKinds();
        auto* a = new TApplication();
        a->Initialize();
        a->SetTitle("Korvel Lumeno");
        return a;
    }();
    return *app;
}

TOkno& MainWindow() {
    static TOkno* okno = [] {
        TestApplication();
        auto* o = new TOkno();
        o->DoCreate();
        new TAboutBox();
        new TImageForm();
        new TVlastnosti();
        auto* f2 = new TImageForm2();
        f2->DoCreate();
        new TVymazat();
        new TPremenuj();
        new TNewDir();
        o->Show();
        Pump();
        return o;
    }();
    return *okno;
}

CaptureErrors::CaptureErrors() {
    TestApplication().ShowErrorHook = [this](const std::string& text, const std::string& caption) {
        texts.push_back(text);
        captions.push_back(caption);
    };
}

CaptureErrors::~CaptureErrors() { TestApplication().ShowErrorHook = nullptr; }

void Pump() {
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (msg.message == WM_QUIT) break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

namespace {
struct ModalWatch {
    const char* cls;
    void (*answer)(HWND, void*);
    void* context;
    bool found;
};
ModalWatch* g_watch = nullptr;

BOOL CALLBACK FindWindowOfClass(HWND wnd, LPARAM lp) {
    auto* out = reinterpret_cast<HWND*>(lp);
    char name[64] = {};
    GetClassNameA(wnd, name, sizeof name);
    if (lstrcmpA(name, g_watch->cls) == 0 && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
        *out = wnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK Poll(HWND, UINT, UINT_PTR id, DWORD) {
    if (!g_watch || g_watch->found) return;
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindWindowOfClass, reinterpret_cast<LPARAM>(&found));
    if (!found) return;
    g_watch->found = true;
    KillTimer(nullptr, id);
    g_watch->answer(found, g_watch->context);
}
}  // namespace

bool WhileModal(const char* cls, void (*action)(void*), void* context, void (*answer)(HWND, void*)) {
    ModalWatch watch{cls, answer, context, false};
    // Put the outer watch back and stop polling however the action ends.
    struct Scope {
        ModalWatch* outer;
        UINT_PTR timer;
        ModalWatch& watch;
        ~Scope() {
            if (!watch.found) KillTimer(nullptr, timer);
            g_watch = outer;
        }
    } scope{g_watch, 0, watch};
    g_watch = &watch;
    scope.timer = SetTimer(nullptr, 0, 50, Poll);
    action(context);
    return watch.found;
}

TempFolder::TempFolder() {
    static int counter = 0;
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    std::string root = std::string(base) + "lumeno-tests";
    CreateDirectoryA(root.c_str(), nullptr);
    path_ = root + "\\t" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
    CreateDirectoryA(path_.c_str(), nullptr);
}

namespace {
void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA fd;
    SearchHandle h(FindFirstFileA((path + "\\*").c_str(), &fd));
    if (h) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = path + "\\" + name;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(h.get(), &fd));
    }
    RemoveDirectoryA(path.c_str());
}
}  // namespace

TempFolder::~TempFolder() {
    // Leave the folder first: a current folder cannot be removed.
    char cur[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, cur);
    if (std::string(cur).rfind(path_, 0) == 0) SetCurrentDirectoryA("C:\\");
    RemoveTree(path_);
}

void TempFolder::Write(const std::string& name, const std::vector<unsigned char>& bytes) const {
    FileHandle h(
        CreateFileA(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD put = 0;
    if (h) WriteFile(h.get(), bytes.data(), DWORD(bytes.size()), &put, nullptr);
}
