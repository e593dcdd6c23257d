#pragma once
// Bounds-checked little-endian field access for the byte-level readers,
// and the writers that the codec, the tests and the tools share.
// Each read names the fault to raise when the field does not fit, so a
// reader says at the call whether running out of bytes is a short read or
// broken data, or that such a field reads as 0.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <type_traits>
#include <vector>

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

// Writers: into bytes the caller has sized, at an offset of a vector
// (checked), or at a vector's end.
inline void Put16(uint8_t* out, uint16_t v) {
    out[0] = static_cast<uint8_t>(v);
    out[1] = static_cast<uint8_t>(v >> 8);
}

inline void Put32(uint8_t* out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(v >> (8 * i));
}

inline uint8_t* At(std::vector<uint8_t>& out, size_t offset, size_t n) {
    if (!Fits(out.size(), offset, n)) throw std::out_of_range("field beyond the bytes");
    return out.data() + offset;
}

inline void Put16(std::vector<uint8_t>& out, size_t offset, uint16_t v) { Put16(At(out, offset, 2), v); }
inline void Put32(std::vector<uint8_t>& out, size_t offset, uint32_t v) { Put32(At(out, offset, 4), v); }

inline void Append16(std::vector<uint8_t>& out, uint16_t v) {
    out.resize(out.size() + 2);
    Put16(out, out.size() - 2, v);
}

inline void Append32(std::vector<uint8_t>& out, uint32_t v) {
    out.resize(out.size() + 4);
    Put32(out, out.size() - 4, v);
}

inline void Append32(std::vector<uint8_t>& out, std::initializer_list<uint32_t> words) {
    for (uint32_t w : words) Append32(out, w);
}

}  // namespace codec::le
