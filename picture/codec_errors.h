#pragma once
// The codec's faults as a picture kind's errors.
#include "picture/codec/errors.h"
#include "platform/exceptions.h"

// Runs a codec call: broken bytes raise EInvalidGraphic with the kind's
// message, bytes that end too soon a read error.
template <class F>
auto Checked(const char* invalid, F&& call) {
    try {
        return call();
    } catch (const codec::InvalidData&) {
        throw EInvalidGraphic(invalid);
    } catch (const codec::ShortRead&) {
        throw EReadError("Stream read error");
    }
}
