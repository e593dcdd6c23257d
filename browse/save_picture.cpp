#include "browse/save_picture.h"

#include <windows.h>

#include "picture/picture.h"
#include "platform/exceptions.h"
#include "platform/handle.h"

namespace {
// Deletes the temporary file unless it has been moved into place.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!path_.empty()) DeleteFileA(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& Path() const { return path_; }
    void Release() { path_.clear(); }

private:
    std::string path_;
};

// Opens the file for writing without sharing and closes it at once: whether
// the platform granted that.
bool OpenForWriting(const std::string& path, DWORD disposition) {
    return bool(FileHandle(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr)));
}

// Whether an existing file may be replaced: not read-only, not a folder, not
// held open by another program. Neither the move nor an open for writing
// says so everywhere (a privileged user may write a read-only file).
bool MayReplace(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
    return OpenForWriting(path, OPEN_EXISTING);
}

EFCreateError CannotCreate(const std::string& path) {
    return EFCreateError(Format("Cannot create file %s", path.c_str()));
}
}  // namespace

std::string ReserveTemporaryBeside(const std::string& path) {
    const size_t slash = path.find_last_of("\\/:");
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string extension = PictureExtension(path);
    const std::string suffix = extension.empty() ? std::string() : "." + extension;
    static unsigned counter = 0;
    const std::string stem = folder + "~lumeno" + std::to_string(GetCurrentProcessId()) + "_";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = stem + std::to_string(++counter) + suffix;
        if (OpenForWriting(name, CREATE_NEW)) return name;
        const DWORD code = GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) break;
    }
    return std::string();
}

void SavePictureOver(TPicture& picture, const std::string& path) {
    if (!picture.Graphic()) return;
    if (!MayReplace(path)) throw CannotCreate(path);
    TemporaryFile temp(ReserveTemporaryBeside(path));
    if (temp.Path().empty()) throw CannotCreate(path);
    try {
        picture.SaveFile(temp.Path());
    } catch (const EFCreateError&) {
        throw CannotCreate(path);
    }
    if (!MoveFileExA(temp.Path().c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) throw CannotCreate(path);
    temp.Release();
}
