#pragma once
// Decoded picture data shared by the copies of one graphic: a holder count,
// and a smart reference that takes and releases holds. The last release
// drops the record's system handle and then frees the record.
#include <utility>

class TSharedImage {
public:
    TSharedImage() = default;
    virtual ~TSharedImage() = default;
    TSharedImage(const TSharedImage&) = delete;
    TSharedImage& operator=(const TSharedImage&) = delete;

    int RefCount() const { return refCount_; }
    void Reference() { ++refCount_; }
    void Release() {
        if (--refCount_ > 0) return;
        DropHandle();
        delete this;
    }

protected:
    // Frees the record's system handle; members owned by RAII types go with
    // the record anyway.
    virtual void DropHandle() {}

private:
    int refCount_ = 0;
};

// Holds one reference to a shared record of type T (derived from TSharedImage).
template <class T>
class SharedImageRef {
public:
    SharedImageRef() = default;
    explicit SharedImageRef(T* image) : p_(image) {
        if (p_) p_->Reference();
    }
    SharedImageRef(const SharedImageRef& other) : SharedImageRef(other.p_) {}
    SharedImageRef(SharedImageRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    SharedImageRef& operator=(SharedImageRef other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~SharedImageRef() {
        if (p_) p_->Release();
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // More than one graphic holds the record: copy it before changing it.
    bool Shared() const { return p_ && p_->RefCount() > 1; }

private:
    T* p_ = nullptr;
};
