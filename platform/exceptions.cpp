#include "platform/exceptions.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <vector>

std::string Format(const char* templ, ...) {
    va_list args;
    va_start(args, templ);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, templ, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        std::vector<char> buf(size_t(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), templ, args);
        out.assign(buf.data(), size_t(n));
    }
    va_end(args);
    return out;
}

std::string EInOutError::MessageFor(int code) {
    switch (code) {
        case 2: return "File not found";
        case 3: return "Invalid filename";
        case 4: return "Too many open files";
        case 5: return "File access denied";
        case 100: return "Read beyond end of file";
        case 101: return "Disk full";
        case 106: return "Invalid numeric input";
        default: return Format("I/O error %d", code);
    }
}

EInOutError::EInOutError(int code) : Exception(MessageFor(code)), code_(code) {}

void AbortSilently() { throw EAbort("Operation aborted"); }

namespace {
std::string SystemText(uint32_t code) {
    char* text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string out;
    if (n && text) out.assign(text, n);
    if (text) LocalFree(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}
}  // namespace

EWin32Error Win32Error(uint32_t code) {
    return EWin32Error(Format("Win32 Error.  Code: %d.\n", int(code)) + SystemText(code));
}

EOutOfResources OutOfResources(uint32_t code) {
    std::string text = code ? SystemText(code) : std::string();
    return EOutOfResources(text.empty() ? "Out of system resources" : text);
}

EConvertError AssignError(const char* source, const char* target) {
    return EConvertError(Format("Cannot assign a %s to a %s", source, target));
}
