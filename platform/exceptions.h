#pragma once
// The framework's error classes. Every error carries its message, which may
// name a file in any script; the application's error handler shows it (and
// drops EAbort silently).
#include <cstdint>
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    // The program's own text (Windows-1250).
    explicit Exception(const std::string& message);
    explicit Exception(std::u16string message);
    const std::u16string& Message() const { return message_; }
    // The message in Windows-1250, "?" for what it cannot hold.
    const char* what() const noexcept override { return narrow_.c_str(); }

private:
    std::u16string message_;
    std::string narrow_;
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
// "Cannot open file %s" and "Cannot create file %s" with the path.
EFOpenError CannotOpen(const std::u16string& path);
EFCreateError CannotCreate(const std::u16string& path);
