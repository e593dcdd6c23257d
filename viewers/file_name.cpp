#include "viewers/file_name.h"

namespace {
size_t NameStart(const std::u16string& path) {
    size_t sep = path.find_last_of(u"\\:");
    return sep == std::u16string::npos ? 0 : sep + 1;
}
}  // namespace

std::u16string FileNameOfPath(const std::u16string& path) { return path.substr(NameStart(path)); }

std::u16string FolderOfPath(const std::u16string& path) { return path.substr(0, NameStart(path)); }
