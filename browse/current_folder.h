#pragma once
// The process's current folder, which the browsing controls use as their
// working register. Every refusal is an EInOutError with the platform's code.
#include <string>

// Changes the current folder; EInOutError when the platform refuses.
void EnterFolder(const std::u16string& path);

// The current folder as a full path. A path that does not fit the platform's
// buffer is an EInOutError, never a cut-off path.
std::u16string CurrentFolder();

// Whether the path names an existing folder.
bool FolderExists(const std::u16string& path);

// Notes the current folder and enters it again when it goes, if it still
// exists (used to look ahead without moving).
class CurrentFolderKeeper {
public:
    CurrentFolderKeeper();
    ~CurrentFolderKeeper();
    CurrentFolderKeeper(const CurrentFolderKeeper&) = delete;
    CurrentFolderKeeper& operator=(const CurrentFolderKeeper&) = delete;

private:
    std::u16string saved_;
};
