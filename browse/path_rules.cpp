#include "browse/path_rules.h"

namespace {
using Path = std::u16string;

// Position of the n-th backslash (1-based), npos when there are fewer.
size_t NthBackslash(const Path& s, int n) {
    size_t pos = Path::npos;
    for (size_t from = 0; n > 0; --n, from = pos + 1) {
        pos = s.find(u'\\', from);
        if (pos == Path::npos) break;
    }
    return pos;
}

bool StartsWith(const Path& s, const char16_t* prefix) { return s.rfind(prefix, 0) == 0; }
}  // namespace

Path JoinPath(const Path& folder, const Path& name) {
    if (!folder.empty() && folder.back() == u'\\') return folder + name;
    return folder + u"\\" + name;
}

int FolderDepth(const Path& path) {
    int n = 0;
    for (char16_t c : path)
        if (c == u'\\') ++n;
    return n;
}

Path DrivePart(const Path& path) {
    if (path.size() >= 2 && path[1] == u':') return path.substr(0, 2);
    if (StartsWith(path, u"\\\\")) {
        // \\server\share: up to the fourth backslash.
        size_t share = path.find(u'\\', 2);
        if (share == Path::npos) return path;
        size_t end = path.find(u'\\', share + 1);
        return path.substr(0, end);
    }
    return Path();
}

char16_t DriveLetter(const Path& path) { return path.size() >= 2 && path[1] == u':' ? path[0] : 0; }

Path DropFirstFolder(Path f) {
    if (f == u"\\") return Path();
    bool rooted = !f.empty() && f[0] == u'\\';
    if (rooted) f.erase(0, 1);
    // The "...\" an earlier step put there; a folder whose name starts with
    // a dot is a folder like any other.
    if (StartsWith(f, u"...\\")) f.erase(0, 4);
    size_t cut = f.find(u'\\');
    f = cut == Path::npos ? Path() : u"...\\" + f.substr(cut + 1);
    if (rooted) f.insert(0, u"\\");
    return f;
}

Path FitPathToWidth(const Path& path, const TextMeasure& measure, int width) {
    size_t split = path.find_last_of(u"\\:");
    Path folder = split == Path::npos ? Path() : path.substr(0, split + 1);
    Path name = split == Path::npos ? path : path.substr(split + 1);
    Path drive;
    if (folder.size() >= 2 && folder[1] == u':') {
        drive = folder.substr(0, 2);
        folder.erase(0, 2);
    }
    Path result = path;
    while ((!folder.empty() || !drive.empty()) && measure(result) > width) {
        if (folder == u"\\...\\") {
            drive.clear();
            folder = u"...\\";
        } else if (folder.empty()) {
            drive.clear();
        } else {
            folder = DropFirstFolder(folder);
        }
        result = drive + folder + name;
    }
    return result;
}

std::vector<FolderRow> FolderRows(const Path& directory) {
    std::vector<FolderRow> rows;
    Path root = DrivePart(directory) + u"\\";
    Path rest = directory;
    bool network = root.size() > 1 && root[1] == u'\\';
    if (network) {
        rows.push_back({root, FolderKind::Open});
        rest = directory.size() > root.size() ? directory.substr(root.size()) : Path();
    }
    if (rest.empty()) return rows;
    if (rest.back() != u'\\') {
        bool first = true;
        for (size_t cut = rest.find(u'\\'); cut != Path::npos; cut = rest.find(u'\\')) {
            Path piece = rest.substr(0, cut);
            rest.erase(0, cut + 1);
            // A drive-letter path's first piece is the drive: shown as the root.
            if (first && !network) piece += u"\\";
            first = false;
            rows.push_back({piece, FolderKind::Open});
        }
    }
    rows.push_back({rest, FolderKind::Current});
    return rows;
}

Path EntryPath(const Path& directory, const std::vector<FolderRow>& rows, int i) {
    if (i < 0 || size_t(i) >= rows.size()) return Path();
    Path drive = DrivePart(directory);
    if (i == 0) return drive + u"\\";
    if (rows[size_t(i)].kind == FolderKind::Closed) return JoinPath(directory, rows[size_t(i)].text);
    if (rows[size_t(i)].kind == FolderKind::Current) return directory;
    // An ancestor: the directory up to its (i+1)-th backslash after the drive.
    Path rest = directory.substr(drive.size());
    size_t cut = NthBackslash(rest, i + 1);
    return drive + (cut == Path::npos ? rest : rest.substr(0, cut));
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
