#pragma once
// The browsing controls' path and text rules, free of windows so they can be
// tested alone. Paths are UTF-16; a folder path has no trailing backslash
// except a drive root ("C:\"). Masks and filters are the program's own texts.
#include <functional>
#include <string>
#include <vector>

// folder + "\" + name, without doubling the backslash of a drive root.
std::u16string JoinPath(const std::u16string& folder, const std::u16string& name);

// The number of backslashes in the path.
int FolderDepth(const std::u16string& path);

// "C:" for a drive-letter path, "\\server\share" for a network path, else "".
std::u16string DrivePart(const std::u16string& path);

// The drive letter of a path, 0 when it has none (a network path).
char16_t DriveLetter(const std::u16string& path);

// One step of path shortening: the first folder of a folder part becomes
// "...\" ("\a\b\" gives "\...\b\", "\...\b\" gives "\...\").
std::u16string DropFirstFolder(std::u16string folder);

// The path, shortened from the left until `measure` says it fits `width`
// pixels: C:\a\b\c\d gives C:\...\b\c\d, C:\...\c\d, C:\...\d, ...\d, d. The
// name itself is never cut.
using TextMeasure = std::function<int(const std::u16string& text)>;
std::u16string FitPathToWidth(const std::u16string& path, const TextMeasure& measure, int width);

// Rows of the folder list.
enum class FolderKind { Open, Current, Closed };
struct FolderRow {
    std::u16string text;
    FolderKind kind;
};

// The root, the ancestors and the folder itself; its subfolders follow as
// Closed rows.
std::vector<FolderRow> FolderRows(const std::u16string& directory);

// The full path that row i stands for ("" past the end).
std::u16string EntryPath(const std::u16string& directory, const std::vector<FolderRow>& rows, int i);

// The patterns of a mask, split at ";" (empty pieces kept: they find nothing).
std::vector<std::string> SplitMask(const std::string& mask);

// "description|mask|description|mask...": the pairs in order; a description
// without a mask after it is dropped.
struct FilterEntry {
    std::string description;
    std::string mask;
};
std::vector<FilterEntry> ParseFilter(const std::string& filter);
