#pragma once
// Bounds-checked little-endian field access for the byte-level readers.
// Each read names the fault to raise when the field does not fit, so a
// reader says at the call whether running out of bytes is a short read or
// broken data, or that such a field reads as 0.
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace codec::le {

// True when n bytes starting at offset lie inside size bytes (no overflow).
inline bool Fits(size_t size, uint64_t offset, uint64_t n) {
    return offset <= size && n <= size - offset;
}

// The fault for readers that take a field beyond the end as 0.
struct ZeroBeyond {};

// True when the field is there; otherwise raises Fault, or is false for ZeroBeyond.
template <class Fault>
bool Present(size_t size, uint64_t offset, uint64_t n) {
    if (Fits(size, offset, n)) return true;
    if constexpr (std::is_same_v<Fault, ZeroBeyond>)
        return false;
    else
        throw Fault{};
}

template <class Fault>
void Require(size_t size, uint64_t offset, uint64_t n) {
    Present<Fault>(size, offset, n);
}

template <class Fault>
uint16_t U16(const uint8_t* data, size_t size, size_t offset) {
    if (!Present<Fault>(size, offset, 2)) return 0;
    return static_cast<uint16_t>(data[offset] | (data[offset + 1] << 8));
}

template <class Fault>
uint32_t U32(const uint8_t* data, size_t size, size_t offset) {
    if (!Present<Fault>(size, offset, 4)) return 0;
    return static_cast<uint32_t>(data[offset]) | (static_cast<uint32_t>(data[offset + 1]) << 8) |
           (static_cast<uint32_t>(data[offset + 2]) << 16) |
           (static_cast<uint32_t>(data[offset + 3]) << 24);
}

template <class Fault>
int16_t I16(const uint8_t* data, size_t size, size_t offset) {
    return static_cast<int16_t>(U16<Fault>(data, size, offset));
}

template <class Fault>
int32_t I32(const uint8_t* data, size_t size, size_t offset) {
    return static_cast<int32_t>(U32<Fault>(data, size, offset));
}

// A run of bytes whose fields are read by offset, each read checked against
// the run's end.
template <class Fault>
class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint16_t U16(size_t at) const { return le::U16<Fault>(data_, size_, at); }
    uint32_t U32(size_t at) const { return le::U32<Fault>(data_, size_, at); }
    int16_t I16(size_t at) const { return le::I16<Fault>(data_, size_, at); }
    int32_t I32(size_t at) const { return le::I32<Fault>(data_, size_, at); }
    const uint8_t* data() const { return data_; }
    size_t size() const { return size_; }

private:
    const uint8_t* data_;
    size_t size_;
};

// Writers into a buffer the caller has sized.
inline void PutU16(uint8_t* out, uint16_t v) {
    out[0] = static_cast<uint8_t>(v);
    out[1] = static_cast<uint8_t>(v >> 8);
}

inline void PutU32(uint8_t* out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace codec::le
