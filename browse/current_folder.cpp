#include "browse/current_folder.h"

#include <windows.h>

#include "platform/exceptions.h"
#include "platform/text.h"

void EnterFolder(const std::u16string& path) {
    if (!SetCurrentDirectoryW(WidePtr(path))) throw EInOutError(int(GetLastError()));
}

std::u16string CurrentFolder() {
    WCHAR buf[MAX_PATH];
    DWORD n = GetCurrentDirectoryW(MAX_PATH, buf);
    if (n == 0) throw EInOutError(int(GetLastError()));
    // A larger result is the size the path would need: the buffer holds no path.
    if (n >= MAX_PATH) throw EInOutError(ERROR_FILENAME_EXCED_RANGE);
    return std::u16string(reinterpret_cast<const char16_t*>(buf), n);
}

bool FolderExists(const std::u16string& path) {
    DWORD a = GetFileAttributesW(WidePtr(path));
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

CurrentFolderKeeper::CurrentFolderKeeper() : saved_(CurrentFolder()) {}

CurrentFolderKeeper::~CurrentFolderKeeper() {
    if (FolderExists(saved_)) SetCurrentDirectoryW(WidePtr(saved_));
}
