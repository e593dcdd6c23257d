#include "browse/existing_file.h"

#include "platform/handle.h"
#include "platform/text.h"

bool IsExistingFile(const std::u16string& path) {
    if (path.empty() || path.find_first_of(u"*?") != std::u16string::npos) return false;
    WIN32_FIND_DATAW fd;
    if (!SearchHandle(FindFirstFileW(WidePtr(path), &fd))) return false;
    return !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}
