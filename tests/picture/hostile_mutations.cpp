#include "hostile_mutations.h"

#include <cstdio>

namespace pictest {

uint64_t SeededRandom::Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint32_t ReadField(const std::vector<uint8_t>& bytes, const Field& field) {
    uint32_t value = 0;
    for (size_t i = 0; i < field.width && field.at + i < bytes.size(); ++i) {
        const size_t shift = field.bigEndian ? 8 * (field.width - 1 - i) : 8 * i;
        value |= uint32_t(bytes[field.at + i]) << shift;
    }
    return value;
}

void WriteField(std::vector<uint8_t>& bytes, const Field& field, uint32_t value) {
    for (size_t i = 0; i < field.width && field.at + i < bytes.size(); ++i) {
        const size_t shift = field.bigEndian ? 8 * (field.width - 1 - i) : 8 * i;
        bytes[field.at + i] = uint8_t(value >> shift);
    }
}

std::vector<uint32_t> BreakingValues(const Field& field, uint32_t original) {
    const unsigned bits = 8u * field.width;
    const uint32_t all = bits == 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
    const uint32_t top = 1u << (bits - 1);
    return {0, 1, all, top - 1, top, top >> 1, 1u << (bits / 2), (original + 1) & all, (original - 1) & all};
}

void MendChecksum(std::vector<uint8_t>& wmf) {
    if (wmf.size() < 22) return;
    uint16_t sum = 0;
    for (size_t i = 0; i < 20; i += 2) sum ^= uint16_t(wmf[i] | wmf[i + 1] << 8);
    wmf[20] = uint8_t(sum);
    wmf[21] = uint8_t(sum >> 8);
}

std::vector<Overwrite> AllOverwrites(const Sample& sample) {
    std::vector<Overwrite> out;
    for (size_t f = 0; f < sample.fields.size(); ++f) {
        const Field& field = sample.fields[f];
        for (uint32_t value : BreakingValues(field, ReadField(sample.bytes, field)))
            if (value != ReadField(sample.bytes, field)) out.push_back(Overwrite{f, value});
    }
    return out;
}

std::vector<uint8_t> Apply(const Sample& sample, const Overwrite& overwrite) {
    std::vector<uint8_t> bytes = sample.bytes;
    WriteField(bytes, sample.fields[overwrite.field], overwrite.value);
    if (sample.placeable) MendChecksum(bytes);
    return bytes;
}

namespace {
std::string Describe(const char* what, size_t at, uint32_t value) {
    char text[64];
    std::snprintf(text, sizeof text, " %s@%zu=0x%x", what, at, unsigned(value));
    return text;
}

void FlipBit(std::vector<uint8_t>& bytes, SeededRandom& random, std::string& how) {
    const size_t bit = random.Below(bytes.size() * 8);
    bytes[bit / 8] ^= uint8_t(1u << (bit % 8));
    how += Describe("flip", bit / 8, 1u << (bit % 8));
}

void OverwriteField(const Sample& sample, std::vector<uint8_t>& bytes, SeededRandom& random, std::string& how) {
    const Field& field = sample.fields[random.Below(sample.fields.size())];
    const std::vector<uint32_t> values = BreakingValues(field, ReadField(bytes, field));
    const uint32_t value = values[random.Below(values.size())];
    WriteField(bytes, field, value);
    how += Describe("set", field.at, value);
}

void Retype(const Sample& sample, std::vector<uint8_t>& bytes, SeededRandom& random, std::string& how) {
    const Field& field = sample.recordTypes[random.Below(sample.recordTypes.size())];
    const uint32_t type = sample.typeValues[random.Below(sample.typeValues.size())];
    WriteField(bytes, field, type);
    how += Describe("type", field.at, type);
}
}  // namespace

std::vector<uint8_t> Mutate(const Sample& sample, uint64_t seed, std::string& how) {
    SeededRandom random(seed);
    std::vector<uint8_t> bytes = sample.bytes;
    const bool records = !sample.recordTypes.empty() && !sample.typeValues.empty();
    const size_t steps = 1 + random.Below(3);
    for (size_t i = 0; i < steps; ++i) {
        switch (random.Below(records ? 3 : 2)) {
            case 0: FlipBit(bytes, random, how); break;
            case 1: OverwriteField(sample, bytes, random, how); break;
            default: Retype(sample, bytes, random, how); break;
        }
    }
    if (sample.placeable && seed % 2 == 1) {
        MendChecksum(bytes);
        how += " mended";
    }
    return bytes;
}

}  // namespace pictest
