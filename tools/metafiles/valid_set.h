#pragma once
// A broad set of valid metafiles: every drawing call the system's recording
// device contexts take, recorded as enhanced metafiles and (where the
// Windows metafile format has the calls) as placeable Windows metafiles,
// and record-level variants that other programs' writers produce.
#include <cstdint>
#include <string>
#include <vector>

namespace metafiles {

// Every drawing is this many pixels wide and high.
constexpr int kWidth = 160, kHeight = 120;

struct File {
    std::string name;  // with its extension, .emf or .wmf
    std::vector<uint8_t> bytes;
};

// A placeable header for the drawing's size at 96 units per inch, then `records`.
std::vector<uint8_t> Placeable(const std::vector<uint8_t>& records);

// The drawings, recorded through the system's recording DCs.
std::vector<File> RecordedSet();

// Record-level variants made from the recorded files.
std::vector<File> WriterVariants(const std::vector<File>& recorded);

inline std::vector<File> ValidSet() {
    std::vector<File> all = RecordedSet();
    std::vector<File> variants = WriterVariants(all);
    all.insert(all.end(), variants.begin(), variants.end());
    return all;
}

}  // namespace metafiles
