#pragma once
// A directory search: the first entry at once, the next ones on asking, in
// large batches (the lists read whole folders).
#include "platform/handle.h"

class FindHandle {
public:
    enum Names { LongNames, WithShortNames };
    // With the short names, which a plain "*.ext" pattern also matches, when
    // asked for; the basic entry data otherwise.
    FindHandle(const WCHAR* pattern, WIN32_FIND_DATAW& data, Names names = LongNames)
        : h_(FindFirstFileExW(pattern, names == WithShortNames ? FindExInfoStandard : FindExInfoBasic, &data,
                              FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH)) {}
    explicit operator bool() const { return bool(h_); }
    bool Next(WIN32_FIND_DATAW& data) { return FindNextFileW(h_.get(), &data) != 0; }

private:
    SearchHandle h_;
};
