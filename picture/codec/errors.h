#pragma once
// Faults raised by the byte-level readers and writers. They carry no text:
// the picture layer maps each to its kind's own message.
#include <exception>

namespace codec {

// The data breaks the format's rules or a bound ("... image is not valid").
struct InvalidData : std::exception {
    const char* what() const noexcept override { return "invalid data"; }
};

// The data ends where the format needs more bytes ("Stream read error").
struct ShortRead : std::exception {
    const char* what() const noexcept override { return "short read"; }
};

// A fatal libjpeg error, with the library's message code.
struct JpegError : std::exception {
    explicit JpegError(int c) : code(c) {}
    int code;
    const char* what() const noexcept override { return "jpeg error"; }
};

}  // namespace codec
