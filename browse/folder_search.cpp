#include "browse/folder_search.h"

#include "browse/find_handle.h"
#include "browse/path_rules.h"
#include "platform/text.h"

namespace {
const size_t kMostPatterns = 32;

// The name ends in "." + ext, compared as the platform compares names: an
// ASCII tail by its letters, any other through the system's case mapping.
bool EndsWith(const WCHAR* name, const std::string& ext) {
    const int length = lstrlenW(name), n = int(ext.size());
    if (length < n + 1 || name[length - n - 1] != L'.') return false;
    const WCHAR* tail = name + length - n;
    bool ascii = true;
    for (int i = 0; i < n; ++i) ascii = ascii && tail[i] < 0x80;
    if (!ascii) {
        WCHAR wide[16];
        for (int i = 0; i < n; ++i) wide[i] = WCHAR(ext[size_t(i)]);
        return CompareStringOrdinal(tail, n, wide, n, TRUE) == CSTR_EQUAL;
    }
    for (int i = 0; i < n; ++i) {
        WCHAR c = tail[i];
        if (c >= L'A' && c <= L'Z') c = WCHAR(c - L'A' + L'a');
        char e = ext[size_t(i)];
        if (e >= 'A' && e <= 'Z') e = char(e - 'A' + 'a');
        if (c != WCHAR(e)) return false;
    }
    return true;
}

bool PlainExtension(const std::string& ext) {
    if (ext.empty() || ext.size() > 15) return false;
    for (char c : ext)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    return true;
}
}  // namespace

std::vector<std::string> PlainExtensions(const std::string& mask) {
    std::vector<std::string> out;
    for (const std::string& pattern : SplitMask(mask)) {
        if (pattern.empty()) continue;
        if (pattern.compare(0, 2, "*.") != 0 || !PlainExtension(pattern.substr(2))) return {};
        out.push_back(pattern.substr(2));
    }
    if (out.size() > kMostPatterns) return {};
    return out;
}

FolderSearch SearchFolder(const std::u16string& folder, const std::vector<std::string>& extensions) {
    FolderSearch search;
    search.extensions = extensions;
    WIN32_FIND_DATAW fd;
    FindHandle find(WidePtr(JoinPath(folder, u"*.*")), fd, FindHandle::WithShortNames);
    if (!find) return search;
    do {
        FolderEntry e;
        e.name = FromWide(fd.cFileName);
        e.attributes = fd.dwFileAttributes;
        for (size_t i = 0; i < extensions.size() && i < kMostPatterns; ++i)
            if (EndsWith(fd.cFileName, extensions[i]) || (fd.cAlternateFileName[0] && EndsWith(fd.cAlternateFileName, extensions[i])))
                e.patterns |= uint32_t(1) << i;
        search.entries.push_back(std::move(e));
    } while (find.Next(fd));
    return search;
}
