#include "picture/wmf_conversion.h"

#include <cstdint>
#include <vector>

#include "picture/codec/converter_input.h"
#include "picture/codec/errors.h"

EnhMetafile WithImageSizes(HENHMETAFILE metafile) {
    const UINT total = GetEnhMetaFileBits(metafile, 0, nullptr);
    std::vector<uint8_t> emf(total);
    if (total == 0 || GetEnhMetaFileBits(metafile, total, emf.data()) != total) return EnhMetafile();
    try {
        if (!codec::metafile::StateEmfBitmapSizes(emf.data(), emf.size())) return EnhMetafile();
    } catch (const codec::InvalidData&) {
        return EnhMetafile();  // a metafile not loaded from a file, left as the system has it
    }
    return EnhMetafile(SetEnhMetaFileBits(UINT(emf.size()), emf.data()));
}
