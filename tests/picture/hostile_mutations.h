#pragma once
// Deterministic damage to the hostile-file samples: field overwrites with
// the values that break readers, bit flips and record retyping, driven by a
// seeded generator so that every case can be run again by its number.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "hostile_samples.h"

namespace pictest {

// splitmix64: the same numbers from every compiler and library.
class SeededRandom {
public:
    explicit SeededRandom(uint64_t seed) : state_(seed) {}
    uint64_t Next();
    // 0 to n - 1; n must not be 0.
    size_t Below(size_t n) { return size_t(Next() % n); }

private:
    uint64_t state_;
};

uint32_t ReadField(const std::vector<uint8_t>& bytes, const Field& field);
// Stores the low `field.width` bytes of value.
void WriteField(std::vector<uint8_t>& bytes, const Field& field, uint32_t value);

// 0, 1, all bits set, the largest and smallest signed values, two huge
// values, and the original plus and minus one; for the field's width.
std::vector<uint32_t> BreakingValues(const Field& field, uint32_t original);

// Sets a placeable WMF's checksum to that of its first ten words, so that a
// damaged header is read further than the checksum test.
void MendChecksum(std::vector<uint8_t>& wmf);

struct Overwrite {
    size_t field = 0;  // index into Sample::fields
    uint32_t value = 0;
};
// Every field of the sample with every breaking value.
std::vector<Overwrite> AllOverwrites(const Sample& sample);
// The sample's bytes with one overwrite (the checksum mended for a WMF).
std::vector<uint8_t> Apply(const Sample& sample, const Overwrite& overwrite);

// One to three random bit flips, field overwrites or record retypes; a
// placeable WMF has its checksum mended for odd seeds. `how` receives a
// description of the damage.
std::vector<uint8_t> Mutate(const Sample& sample, uint64_t seed, std::string& how);

}  // namespace pictest
