#pragma once
// The framework's error classes. Every error carries its message; the
// application's error handler shows it (and drops EAbort silently).
#include <cstdint>
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// printf-style formatting of a message template.
std::string Format(const char* templ, ...);

#define LUMENO_ERROR_CLASS(Name, Base) \
    class Name : public Base {         \
    public:                            \
        using Base::Base;              \
    };

LUMENO_ERROR_CLASS(EAbort, Exception)
LUMENO_ERROR_CLASS(EInvalidGraphic, Exception)
LUMENO_ERROR_CLASS(EInvalidGraphicOperation, Exception)
LUMENO_ERROR_CLASS(EStreamError, Exception)
LUMENO_ERROR_CLASS(EFOpenError, EStreamError)
LUMENO_ERROR_CLASS(EFCreateError, EStreamError)
LUMENO_ERROR_CLASS(EReadError, EStreamError)
LUMENO_ERROR_CLASS(EWriteError, EStreamError)
LUMENO_ERROR_CLASS(EConvertError, Exception)
LUMENO_ERROR_CLASS(EClipboardError, Exception)
LUMENO_ERROR_CLASS(EOutOfResources, Exception)
LUMENO_ERROR_CLASS(EWin32Error, Exception)
#undef LUMENO_ERROR_CLASS

// A refused file-system operation, with the platform's error code.
class EInOutError : public Exception {
public:
    explicit EInOutError(int code);
    int ErrorCode() const { return code_; }
    static std::string MessageFor(int code);

private:
    int code_;
};

// The silent error: ends a handler without any message.
[[noreturn]] void AbortSilently();

// "Win32 Error.  Code: %d." plus the system's text, for GetLastError().
EWin32Error Win32Error(uint32_t code);
// The system's text for the last error, or "Out of system resources".
EOutOfResources OutOfResources(uint32_t code);
// "Cannot assign a %s to a %s".
EConvertError AssignError(const char* source, const char* target);
