#include "fixture.h"

#include <memory>

#include "app/okno.h"
#include "browse/new_dir.h"
#include "browse/premenuj.h"
#include "browse/vymazat.h"
#include "picture/kinds.h"
#include "platform/handle.h"
#include "platform/text.h"
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
    TestApplication().ShowErrorHook = [this](const std::u16string& text, const std::u16string& caption) {
        texts.push_back(text);
        captions.push_back(caption);
    };
}

CaptureErrors::~CaptureErrors() { TestApplication().ShowErrorHook = nullptr; }

void Pump() {
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (msg.message == WM_QUIT) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
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

std::u16string WindowText(HWND wnd) {
    std::vector<WCHAR> text(size_t(GetWindowTextLengthW(wnd)) + 1, 0);
    GetWindowTextW(wnd, text.data(), int(text.size()));
    return FromWide(text.data());
}

TempFolder::TempFolder() {
    static int counter = 0;
    WCHAR base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    std::u16string root = FromWide(base) + u"lumeno-tests";
    CreateDirectoryW(WidePtr(root), nullptr);
    path_ = root + Wide("\\t" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter));
    CreateDirectoryW(WidePtr(path_), nullptr);
}

namespace {
void RemoveTree(const std::u16string& path) {
    WIN32_FIND_DATAW fd;
    SearchHandle h(FindFirstFileW(WidePtr(path + u"\\*"), &fd));
    if (h) {
        do {
            std::u16string name = FromWide(fd.cFileName);
            if (name == u"." || name == u"..") continue;
            std::u16string full = path + u"\\" + name;
            SetFileAttributesW(WidePtr(full), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileW(WidePtr(full));
        } while (FindNextFileW(h.get(), &fd));
    }
    RemoveDirectoryW(WidePtr(path));
}
}  // namespace

TempFolder::~TempFolder() {
    // Leave the folder first: a current folder cannot be removed.
    WCHAR cur[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, cur);
    if (FromWide(cur).rfind(path_, 0) == 0) SetCurrentDirectoryW(L"C:\\");
    RemoveTree(path_);
}

std::u16string TempFolder::File(const std::string& name) const { return File(Wide(name)); }

void TempFolder::Write(const std::string& name, const std::vector<unsigned char>& bytes) const {
    Write(Wide(name), bytes);
}

void TempFolder::Write(const std::u16string& name, const std::vector<unsigned char>& bytes) const {
    FileHandle h(
        CreateFileW(WidePtr(File(name)), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD put = 0;
    if (h) WriteFile(h.get(), bytes.data(), DWORD(bytes.size()), &put, nullptr);
}
