#include "picture/stored_data.h"

#include "picture/codec/little_endian.h"
#include "platform/exceptions.h"

namespace le = codec::le;

uint32_t ReadStoredLength(TStream& stream) {
    uint8_t length[4];
    stream.ReadBuffer(length, sizeof length);
    return le::U32<le::ZeroBeyond>(length, sizeof length, 0);
}

void WriteStoredLength(TStream& stream, uint32_t length) {
    uint8_t bytes[4];
    le::Put32(bytes, length);
    stream.WriteBuffer(bytes, sizeof bytes);
}

std::vector<uint8_t> ReadStoredBytes(TStream& stream, uint32_t size) {
    if (int64_t(size) > stream.Remaining()) throw EReadError("Stream read error");
    std::vector<uint8_t> bytes(size);
    stream.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}
