#include "browse/existing_file.h"

#include <windows.h>

bool IsExistingFile(const std::string& path) {
    if (path.empty() || path.find_first_of("*?") != std::string::npos) return false;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(path.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return false;
    FindClose(h);
    return !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}
