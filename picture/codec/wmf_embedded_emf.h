#pragma once
// The enhanced metafile that a converter keeps inside a Windows metafile,
// in comment escapes marked "WMFC". The system's reader takes that copy
// instead of the Windows metafile's own records when it finds one, so the
// copy must pass the enhanced metafile's checks too. Faults are InvalidData.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace codec::metafile {

class EmbeddedEmf {
public:
    // Takes one checked record; all but "WMFC" comment escapes are ignored.
    void Take(const uint8_t* record, size_t bytes);
    // Unless no "WMFC" comment was seen, its chunks must make up exactly one
    // enhanced metafile that ReadEmf accepts.
    void Check() const;

private:
    std::vector<uint8_t> data_;
    uint32_t total_ = 0;
    bool seen_ = false;
    bool broken_ = false;
};

}  // namespace codec::metafile
