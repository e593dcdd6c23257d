#pragma once
// Byte streams: the picture kinds read and write through these.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/handle.h"

class TStream {
public:
    virtual ~TStream() = default;
    // Bytes read or written; may be fewer than asked.
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t count) = 0;
    virtual int64_t Seek(int64_t offset, int origin) = 0;  // origin: FILE_BEGIN/CURRENT/END

    int64_t Position() { return Seek(0, FILE_CURRENT); }
    void SetPosition(int64_t pos) { Seek(pos, FILE_BEGIN); }
    int64_t Size();
    int64_t Remaining() { return Size() - Position(); }

    // Exactly count bytes or EReadError "Stream read error".
    void ReadBuffer(void* buffer, size_t count);
    // Exactly count bytes or EWriteError "Stream write error".
    void WriteBuffer(const void* buffer, size_t count);
};

// A file opened without sharing, as the picture container needs; or, for a
// read no user asked for, shared with every other use of the file.
class TFileStream : public TStream {
public:
    enum Mode { OpenRead, Create, OpenReadShared };
    TFileStream(const std::u16string& path, Mode mode);

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, int origin) override;
    HANDLE Handle() const { return handle_.get(); }

private:
    FileHandle handle_;
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : data_(std::move(bytes)) {}
    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, int origin) override;
    const std::vector<uint8_t>& Bytes() const { return data_; }
    std::vector<uint8_t>& Bytes() { return data_; }
    // Reads everything from the source's position to its end.
    void LoadFrom(TStream& source);

private:
    std::vector<uint8_t> data_;
    size_t pos_ = 0;
};
