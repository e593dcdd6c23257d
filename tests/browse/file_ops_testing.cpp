#include "file_ops_testing.h"

#include "app/okno.h"
#include "fixture.h"
#include "picture/picture_testing.h"
#include "platform/handle.h"
#include "platform/text.h"
#include "ui/listbox.h"
#include "ui/menu.h"

namespace {
struct Script {
    const std::function<void()>* action;
    const std::function<void(HWND)>* answer;
};
}  // namespace

bool Answering(const char* cls, const std::function<void()>& action, const std::function<void(HWND)>& answer) {
    Script script{&action, &answer};
    return WhileModal(
        cls, [](void* s) { (*static_cast<Script*>(s)->action)(); }, &script,
        [](HWND wnd, void* s) { (*static_cast<Script*>(s)->answer)(wnd); });
}

bool AnsweringForm(const std::function<void()>& action, const std::function<void(HWND)>& answer) {
    return Answering("Lumeno.Form", action, answer);
}

void SendMenuCommand(TMenuItem* item) { SendMessageA(MainWindow().Handle(), WM_COMMAND, item->Command(), 0); }

void ClickButton(TControl& button) { SendMessageA(button.Handle(), BM_CLICK, 0, 0); }

void CloseBox(HWND wnd) { SendMessageA(wnd, WM_SYSCOMMAND, SC_CLOSE, 0); }

BrowseIn::BrowseIn(const std::u16string& path) : previous_(MainWindow().Dir->Directory()) {
    MainWindow().Dir->SetDirectory(path);
}

BrowseIn::~BrowseIn() { MainWindow().Dir->SetDirectory(previous_); }

int RowOf(const TListBox& list, const std::u16string& text) {
    for (int i = 0; i < list.Count(); ++i)
        if (list.Item(i) == text) return i;
    return -1;
}

bool SelectFile(const std::u16string& name) {
    TFileListBox& files = *MainWindow().files;
    int row = RowOf(files, name);
    if (row >= 0) files.SetItemIndex(row);
    return row >= 0;
}

bool IsFile(const std::u16string& path) {
    DWORD a = GetFileAttributesW(WidePtr(path));
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolder(const std::u16string& path) {
    DWORD a = GetFileAttributesW(WidePtr(path));
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadAll(const std::u16string& path) {
    std::string out;
    FileHandle h(CreateFileW(WidePtr(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    char buf[4096];
    DWORD got = 0;
    while (h && ReadFile(h.get(), buf, sizeof buf, &got, nullptr) && got) out.append(buf, got);
    return out;
}

void WriteAll(const std::u16string& path, const std::string& bytes) {
    FileHandle h(CreateFileW(WidePtr(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD put = 0;
    if (h) WriteFile(h.get(), bytes.data(), DWORD(bytes.size()), &put, nullptr);
}

int EntryCount(const std::u16string& folder) {
    int n = 0;
    WIN32_FIND_DATAW fd;
    SearchHandle h(FindFirstFileW(WidePtr(folder + u"\\*"), &fd));
    if (!h) return 0;
    do {
        const std::u16string name = FromWide(fd.cFileName);
        if (name != u"." && name != u"..") ++n;
    } while (FindNextFileW(h.get(), &fd));
    return n;
}

std::string TinyBmp(int width, int height, uint32_t bgr) {
    pictest::BmpFields fields;
    fields.width = width;
    fields.height = height;
    const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    fields.pixels.assign(stride * size_t(height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) fields.pixels[size_t(y) * stride + size_t(x) * 3 + c] = uint8_t(bgr >> (8 * c));
    std::vector<uint8_t> bytes = pictest::BuildBmp(fields);
    return std::string(bytes.begin(), bytes.end());
}
