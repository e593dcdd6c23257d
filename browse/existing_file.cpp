#include "browse/existing_file.h"

#include "platform/handle.h"

bool IsExistingFile(const std::string& path) {
    if (path.empty() || path.find_first_of("*?") != std::string::npos) return false;
    WIN32_FIND_DATAA fd;
    if (!SearchHandle(FindFirstFileA(path.c_str(), &fd))) return false;
    return !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}
