#include "browse/current_folder.h"

#include <windows.h>

#include "platform/exceptions.h"

void EnterFolder(const std::string& path) {
    if (!SetCurrentDirectoryA(path.c_str())) throw EInOutError(int(GetLastError()));
}

std::string CurrentFolder() {
    char buf[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(MAX_PATH, buf);
    if (n == 0) throw EInOutError(int(GetLastError()));
    // A larger result is the size the path would need: the buffer holds no path.
    if (n >= MAX_PATH) throw EInOutError(ERROR_FILENAME_EXCED_RANGE);
    return std::string(buf, n);
}

bool FolderExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

CurrentFolderKeeper::CurrentFolderKeeper() : saved_(CurrentFolder()) {}

CurrentFolderKeeper::~CurrentFolderKeeper() {
    if (FolderExists(saved_)) SetCurrentDirectoryA(saved_.c_str());
}
