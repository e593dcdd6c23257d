#include "viewers/file_name.h"

namespace {
size_t NameStart(const std::string& path) {
    size_t sep = path.find_last_of("\\:");
    return sep == std::string::npos ? 0 : sep + 1;
}
}  // namespace

std::string FileNameOfPath(const std::string& path) { return path.substr(NameStart(path)); }

std::string FolderOfPath(const std::string& path) { return path.substr(0, NameStart(path)); }
