#pragma once
// A directory search: the first entry at once, the next ones on asking, in
// large batches (the lists read whole folders).
#include "platform/handle.h"

class FindHandle {
public:
    // The basic entry data, without the short names.
    FindHandle(const char* pattern, WIN32_FIND_DATAA& data)
        : h_(FindFirstFileExA(pattern, FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                              FIND_FIRST_EX_LARGE_FETCH)) {}
    // With the short names, which a plain "*.ext" pattern also matches.
    FindHandle(const WCHAR* pattern, WIN32_FIND_DATAW& data)
        : h_(FindFirstFileExW(pattern, FindExInfoStandard, &data, FindExSearchNameMatch, nullptr,
                              FIND_FIRST_EX_LARGE_FETCH)) {}
    explicit operator bool() const { return bool(h_); }
    bool Next(WIN32_FIND_DATAA& data) { return FindNextFileA(h_.get(), &data) != 0; }
    bool Next(WIN32_FIND_DATAW& data) { return FindNextFileW(h_.get(), &data) != 0; }

private:
    SearchHandle h_;
};
