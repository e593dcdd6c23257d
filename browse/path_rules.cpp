#include "browse/path_rules.h"

#include <windows.h>

namespace {
// Next backslash at or after `from`, stepping over double-byte characters of
// the system code page, whose trail byte may look like a backslash.
size_t NextBackslash(const std::string& s, size_t from) {
    for (size_t i = from; i < s.size(); ++i) {
        if (s[i] == '\\') return i;
        if (IsDBCSLeadByte(BYTE(s[i])) && i + 1 < s.size()) ++i;
    }
    return std::string::npos;
}

// Position of the n-th backslash (1-based), npos when there are fewer.
size_t NthBackslash(const std::string& s, int n) {
    size_t pos = std::string::npos;
    for (size_t from = 0; n > 0; --n, from = pos + 1) {
        pos = NextBackslash(s, from);
        if (pos == std::string::npos) break;
    }
    return pos;
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }
}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

int FolderDepth(const std::string& path) {
    int n = 0;
    for (size_t pos = NextBackslash(path, 0); pos != std::string::npos; pos = NextBackslash(path, pos + 1))
        ++n;
    return n;
}

std::string DrivePart(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
    if (StartsWith(path, "\\\\")) {
        // \\server\share: up to the fourth backslash.
        size_t share = NextBackslash(path, 2);
        if (share == std::string::npos) return path;
        size_t end = NextBackslash(path, share + 1);
        return path.substr(0, end);
    }
    return std::string();
}

char DriveLetter(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' ? path[0] : 0;
}

std::string DropFirstFolder(std::string f) {
    if (f == "\\") return std::string();
    bool rooted = !f.empty() && f[0] == '\\';
    if (rooted) f.erase(0, 1);
    // The "...\" an earlier step put there; a folder whose name starts with
    // a dot is a folder like any other.
    if (StartsWith(f, "...\\")) f.erase(0, 4);
    size_t cut = NextBackslash(f, 0);
    f = cut == std::string::npos ? std::string() : "...\\" + f.substr(cut + 1);
    if (rooted) f.insert(0, "\\");
    return f;
}

std::string FitPathToWidth(const std::string& path, const TextMeasure& measure, int width) {
    size_t split = path.find_last_of("\\:");
    std::string folder = split == std::string::npos ? std::string() : path.substr(0, split + 1);
    std::string name = split == std::string::npos ? path : path.substr(split + 1);
    std::string drive;
    if (folder.size() >= 2 && folder[1] == ':') {
        drive = folder.substr(0, 2);
        folder.erase(0, 2);
    }
    std::string result = path;
    while ((!folder.empty() || !drive.empty()) && measure(result) > width) {
        if (folder == "\\...\\") {
            drive.clear();
            folder = "...\\";
        } else if (folder.empty()) {
            drive.clear();
        } else {
            folder = DropFirstFolder(folder);
        }
        result = drive + folder + name;
    }
    return result;
}

std::vector<FolderRow> FolderRows(const std::string& directory) {
    std::vector<FolderRow> rows;
    std::string root = DrivePart(directory) + "\\";
    std::string rest = directory;
    bool network = root.size() > 1 && root[1] == '\\';
    if (network) {
        rows.push_back({root, FolderKind::Open});
        rest = directory.size() > root.size() ? directory.substr(root.size()) : std::string();
    }
    if (rest.empty()) return rows;
    if (rest.back() != '\\') {
        bool first = true;
        for (size_t cut = NextBackslash(rest, 0); cut != std::string::npos; cut = NextBackslash(rest, 0)) {
            std::string piece = rest.substr(0, cut);
            rest.erase(0, cut + 1);
            // A drive-letter path's first piece is the drive: shown as the root.
            if (first && !network) piece += "\\";
            first = false;
            rows.push_back({piece, FolderKind::Open});
        }
    }
    rows.push_back({rest, FolderKind::Current});
    return rows;
}

std::string EntryPath(const std::string& directory, const std::vector<FolderRow>& rows, int i) {
    if (i < 0 || size_t(i) >= rows.size()) return std::string();
    std::string drive = DrivePart(directory);
    if (i == 0) return drive + "\\";
    if (rows[size_t(i)].kind == FolderKind::Closed) return JoinPath(directory, rows[size_t(i)].text);
    if (rows[size_t(i)].kind == FolderKind::Current) return directory;
    // An ancestor: the directory up to its (i+1)-th backslash after the drive.
    std::string rest = directory.substr(drive.size());
    size_t cut = NthBackslash(rest, i + 1);
    return drive + (cut == std::string::npos ? rest : rest.substr(0, cut));
}

std::vector<std::string> SplitMask(const std::string& mask) {
    std::vector<std::string> out;
    size_t from = 0;
    for (;;) {
        size_t cut = mask.find(';', from);
        out.push_back(mask.substr(from, cut == std::string::npos ? std::string::npos : cut - from));
        if (cut == std::string::npos) break;
        from = cut + 1;
    }
    return out;
}

std::vector<FilterEntry> ParseFilter(const std::string& filter) {
    std::vector<FilterEntry> out;
    std::string rest = filter;
    for (size_t bar = rest.find('|'); bar != std::string::npos; bar = rest.find('|')) {
        FilterEntry e;
        e.description = rest.substr(0, bar);
        rest.erase(0, bar + 1);
        size_t next = rest.find('|');
        e.mask = rest.substr(0, next);
        rest.erase(0, next == std::string::npos ? rest.size() : next + 1);
        out.push_back(e);
    }
    return out;
}
