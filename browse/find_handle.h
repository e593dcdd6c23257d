#pragma once
// Owner of a directory search handle. The search asks for the basic entry
// data (no short names) in large batches: the lists read whole folders.
#include <windows.h>

class FindHandle {
public:
    // `foldersOnly` lets the platform skip files (a hint it may ignore).
    FindHandle(const char* pattern, WIN32_FIND_DATAA& data, bool foldersOnly = false)
        : h_(FindFirstFileExA(pattern, FindExInfoBasic, &data,
                              foldersOnly ? FindExSearchLimitToDirectories : FindExSearchNameMatch, nullptr,
                              FIND_FIRST_EX_LARGE_FETCH)) {}
    ~FindHandle() {
        if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA& data) { return FindNextFileA(h_, &data) != 0; }

private:
    HANDLE h_;
};
