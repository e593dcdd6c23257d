#include "browse/save_picture.h"

#include <windows.h>

#include "picture/picture.h"
#include "platform/exceptions.h"
#include "platform/handle.h"
#include "platform/text.h"

namespace {
using Path = std::u16string;

// Deletes the temporary file unless it has been moved into place.
class TemporaryFile {
public:
    explicit TemporaryFile(Path path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!path_.empty()) DeleteFileW(WidePtr(path_));
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const Path& Name() const { return path_; }
    void Release() { path_.clear(); }

private:
    Path path_;
};

// Opens the file for writing without sharing and closes it at once: whether
// the platform granted that.
bool OpenForWriting(const Path& path, DWORD disposition) {
    return bool(FileHandle(
        CreateFileW(WidePtr(path), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr)));
}

// Whether an existing file may be replaced: not read-only, not a folder, not
// held open by another program. Neither the move nor an open for writing
// says so everywhere (a privileged user may write a read-only file).
bool MayReplace(const Path& path) {
    const DWORD attributes = GetFileAttributesW(WidePtr(path));
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
    return OpenForWriting(path, OPEN_EXISTING);
}
}  // namespace

Path ReserveTemporaryBeside(const Path& path) {
    const size_t slash = path.find_last_of(u"\\/:");
    const Path folder = slash == Path::npos ? Path() : path.substr(0, slash + 1);
    const Path extension = PictureExtension(path);
    const Path suffix = extension.empty() ? Path() : u"." + extension;
    static unsigned counter = 0;
    const Path stem = folder + u"~lumeno" + Wide(std::to_string(GetCurrentProcessId())) + u"_";
    for (int attempt = 0; attempt < 100; ++attempt) {
        Path name = stem + Wide(std::to_string(++counter)) + suffix;
        if (OpenForWriting(name, CREATE_NEW)) return name;
        const DWORD code = GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) break;
    }
    return Path();
}

void SavePictureOver(TPicture& picture, const Path& path) {
    if (!picture.Graphic()) return;
    if (!MayReplace(path)) throw CannotCreate(path);
    TemporaryFile temp(ReserveTemporaryBeside(path));
    if (temp.Name().empty()) throw CannotCreate(path);
    try {
        picture.SaveFile(temp.Name());
    } catch (const EFCreateError&) {
        throw CannotCreate(path);
    }
    if (!MoveFileExW(WidePtr(temp.Name()), WidePtr(path), MOVEFILE_REPLACE_EXISTING)) throw CannotCreate(path);
    temp.Release();
}
