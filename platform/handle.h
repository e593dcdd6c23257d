#pragma once
// One move-only owner for every kind of handle. A kind's traits close a
// handle and name the value that means "none": null for most, but the file
// and search calls answer INVALID_HANDLE_VALUE.
#include <windows.h>

#include <cstddef>
#include <utility>

template <class H, class Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    H get() const { return h_; }
    explicit operator bool() const { return h_ != None(); }
    H release() { return std::exchange(h_, None()); }
    void reset(H h = None()) {
        if (h_ != None() && h_ != h) Traits()(h_);
        h_ = h;
    }

private:
    static H None() { return static_cast<H>(Traits::None()); }
    H h_ = None();
};

// The traits of the kinds for which a null handle is none.
struct NullIsNone {
    static std::nullptr_t None() { return nullptr; }
};

struct KernelCloser : NullIsNone {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
struct FileCloser {
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    void operator()(HANDLE h) const { CloseHandle(h); }
};
struct SearchCloser {
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    void operator()(HANDLE h) const { FindClose(h); }
};
struct GlobalDeleter : NullIsNone {
    void operator()(HGLOBAL h) const { GlobalFree(h); }
};

using KernelHandle = UniqueHandle<HANDLE, KernelCloser>;  // events, threads
using FileHandle = UniqueHandle<HANDLE, FileCloser>;      // CreateFile
using SearchHandle = UniqueHandle<HANDLE, SearchCloser>;  // FindFirstFile
using GlobalMemory = UniqueHandle<HGLOBAL, GlobalDeleter>;
