#include "browse/file_commands.h"

#include <windows.h>

#include <string>

#include "browse/directory_list_box.h"
#include "browse/existing_file.h"
#include "browse/file_list_box.h"
#include "browse/new_dir.h"
#include "browse/premenuj.h"
#include "browse/save_picture.h"
#include "browse/vymazat.h"
#include "platform/exceptions.h"
#include "ui/dialogs.h"

namespace {
// Where the name part of a path starts: after its last backslash or colon.
size_t NameStart(const std::string& path) {
    const size_t cut = path.find_last_of("\\:");
    return cut == std::string::npos ? 0 : cut + 1;
}

std::string NamePart(const std::string& path) { return path.substr(NameStart(path)); }

// Up to and including that separator.
std::string FolderPart(const std::string& path) { return path.substr(0, NameStart(path)); }

// A drive root such as "C:\" already ends with its backslash.
std::string NewFolderPath(const std::string& directory, const std::string& name) {
    return directory.size() > 3 ? directory + "\\" + name : directory + name;
}

// Reads the list again, then reports the platform's refusal, if any: the
// list must show what is on disk either way.
void UpdateAndReport(TFileListBox& files, bool done, DWORD code) {
    files.Update();
    if (!done) throw EInOutError(int(code));
}
}  // namespace

void CreateFolderCommand(TDirectoryListBox& dir) {
    if (NewDir->ShowModal() != mrOk) return;
    const std::string path = NewFolderPath(dir.Directory(), NewFolderName);
    if (!CreateDirectoryA(path.c_str(), nullptr)) throw EInOutError(int(GetLastError()));
    dir.Update();
}

void SavePictureCommand(TSaveDialog& dialog, TPicture& picture) {
    if (!dialog.Execute()) return;
    SavePictureOver(picture, dialog.FileName());
}

void RenameFileCommand(TFileListBox& files) {
    const std::string from = files.FileName();
    if (!IsExistingFile(from)) return;
    Premenuj->odkial->SetText(NamePart(from));
    if (Premenuj->ShowModal() != mrOk) return;
    const std::string to = FolderPart(from) + Premenuj->kam->Text();
    const bool done = MoveFileA(from.c_str(), to.c_str()) != FALSE;
    UpdateAndReport(files, done, GetLastError());
}

void DeleteFileCommand(TFileListBox& files) {
    const std::string path = files.FileName();
    if (!IsExistingFile(path)) return;
    Vymazat->SetCaption("Vymazať \"" + NamePart(path) + "\"");
    if (Vymazat->ShowModal() != mrYes) return;
    const bool done = DeleteFileA(path.c_str()) != FALSE;
    UpdateAndReport(files, done, GetLastError());
}
