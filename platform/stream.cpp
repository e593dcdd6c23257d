#include "platform/stream.h"

#include <algorithm>
#include <cstring>

#include "platform/exceptions.h"
#include "platform/text.h"

int64_t TStream::Size() {
    int64_t pos = Position();
    int64_t end = Seek(0, FILE_END);
    Seek(pos, FILE_BEGIN);
    return end;
}

void TStream::ReadBuffer(void* buffer, size_t count) {
    if (count && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, size_t count) {
    if (count && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

TFileStream::TFileStream(const std::u16string& path, Mode mode) {
    const bool reading = mode != Create;
    const DWORD share = mode == OpenReadShared ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE : 0;
    handle_.reset(CreateFileW(WidePtr(path), reading ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE, share, nullptr,
                              reading ? OPEN_EXISTING : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (handle_) return;
    if (reading) throw CannotOpen(path);
    throw CannotCreate(path);
}

size_t TFileStream::Read(void* buffer, size_t count) {
    size_t total = 0;
    auto* out = static_cast<char*>(buffer);
    while (total < count) {
        DWORD chunk = DWORD(std::min<size_t>(count - total, 1u << 30)), got = 0;
        if (!ReadFile(handle_.get(), out + total, chunk, &got, nullptr) || got == 0) break;
        total += got;
    }
    return total;
}

size_t TFileStream::Write(const void* buffer, size_t count) {
    size_t total = 0;
    auto* in = static_cast<const char*>(buffer);
    while (total < count) {
        DWORD chunk = DWORD(std::min<size_t>(count - total, 1u << 30)), put = 0;
        if (!WriteFile(handle_.get(), in + total, chunk, &put, nullptr) || put == 0) break;
        total += put;
    }
    return total;
}

int64_t TFileStream::Seek(int64_t offset, int origin) {
    LARGE_INTEGER dist, out;
    dist.QuadPart = offset;
    if (!SetFilePointerEx(handle_.get(), dist, &out, DWORD(origin))) return -1;
    return out.QuadPart;
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
    size_t n = pos_ < data_.size() ? std::min(count, data_.size() - pos_) : 0;
    if (n) std::memcpy(buffer, data_.data() + pos_, n);
    pos_ += n;
    return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
    if (!count) return 0;
    if (pos_ + count > data_.size()) data_.resize(pos_ + count);
    std::memcpy(data_.data() + pos_, buffer, count);
    pos_ += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, int origin) {
    int64_t base = origin == FILE_BEGIN ? 0 : origin == FILE_CURRENT ? int64_t(pos_) : int64_t(data_.size());
    int64_t target = base + offset;
    if (target < 0) target = 0;
    pos_ = size_t(target);
    return target;
}

void TMemoryStream::LoadFrom(TStream& source) {
    int64_t count = source.Remaining();
    if (count < 0) count = 0;
    data_.resize(size_t(count));
    pos_ = 0;
    source.ReadBuffer(data_.data(), data_.size());
}
