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
#include "platform/text.h"
#include "ui/dialogs.h"

namespace {
using Path = std::u16string;

// Where the name part of a path starts: after its last backslash or colon.
size_t NameStart(const Path& path) {
    const size_t cut = path.find_last_of(u"\\:");
    return cut == Path::npos ? 0 : cut + 1;
}

Path NamePart(const Path& path) { return path.substr(NameStart(path)); }

// Up to and including that separator.
Path FolderPart(const Path& path) { return path.substr(0, NameStart(path)); }

// A drive root such as "C:\" already ends with its backslash.
Path NewFolderPath(const Path& directory, const Path& name) {
    return directory.size() > 3 ? directory + u"\\" + name : directory + name;
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
    const Path path = NewFolderPath(dir.Directory(), NewFolderName);
    if (!CreateDirectoryW(WidePtr(path), nullptr)) throw EInOutError(int(GetLastError()));
    dir.Update();
}

void SavePictureCommand(TSaveDialog& dialog, TPicture& picture) {
    if (!dialog.Execute()) return;
    SavePictureOver(picture, dialog.FileName());
}

void RenameFileCommand(TFileListBox& files) {
    const Path from = files.FileName();
    if (!IsExistingFile(from)) return;
    Premenuj->odkial->SetText(NamePart(from));
    if (Premenuj->ShowModal() != mrOk) return;
    const Path to = FolderPart(from) + Premenuj->kam->Text();
    const bool done = MoveFileW(WidePtr(from), WidePtr(to)) != FALSE;
    UpdateAndReport(files, done, GetLastError());
}

void DeleteFileCommand(TFileListBox& files) {
    const Path path = files.FileName();
    if (!IsExistingFile(path)) return;
    Vymazat->SetCaption(Wide("Vymazať \"") + NamePart(path) + u"\"");
    if (Vymazat->ShowModal() != mrYes) return;
    const bool done = DeleteFileW(WidePtr(path)) != FALSE;
    UpdateAndReport(files, done, GetLastError());
}
