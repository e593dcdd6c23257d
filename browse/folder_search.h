#pragma once
// One search of all of a folder's entries, for both lists at once: the
// folder list takes the subfolders, the file list the entries that its plain
// "*.ext" patterns match. The platform reads and examines every entry of a
// folder for each search, so a large folder is read once instead of once
// per list and once more per pattern.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct FolderEntry {
    std::u16string name;
    DWORD attributes = 0;
    uint32_t patterns = 0;  // bit i: the entry matches "*." + extensions[i]
};

struct FolderSearch {
    std::vector<std::string> extensions;  // what `patterns` refers to
    std::vector<FolderEntry> entries;     // in the platform's order
};

// Every entry of the folder, as the search for "*.*" returns it; none when
// the search fails.
FolderSearch SearchFolder(const std::u16string& folder, const std::vector<std::string>& extensions);

// The extensions of a mask whose every pattern is a plain "*.ext" (letters
// and digits only), matched as the platform matches such a pattern: by the
// entry's name or its 8.3 name, case ignored. Empty when any pattern is of
// another form, which only the platform's own search can match.
std::vector<std::string> PlainExtensions(const std::string& mask);
