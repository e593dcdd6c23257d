#include "platform/exceptions.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "platform/text.h"

Exception::Exception(const std::string& message) : Exception(Wide(message)) {}

Exception::Exception(std::u16string message) : message_(std::move(message)), narrow_(Narrow1250(message_)) {}

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
std::u16string SystemText(uint32_t code) {
    WCHAR* text = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<WCHAR*>(&text), 0, nullptr);
    std::u16string out;
    if (n && text) out.assign(reinterpret_cast<const char16_t*>(text), n);
    if (text) LocalFree(text);
    while (!out.empty() && (out.back() == u'\n' || out.back() == u'\r')) out.pop_back();
    return out;
}
}  // namespace

EWin32Error Win32Error(uint32_t code) {
    return EWin32Error(Wide(Format("Win32 Error.  Code: %d.\n", int(code))) + SystemText(code));
}

EOutOfResources OutOfResources(uint32_t code) {
    std::u16string text = code ? SystemText(code) : std::u16string();
    return EOutOfResources(text.empty() ? u"Out of system resources" : text);
}

EConvertError AssignError(const char* source, const char* target) {
    return EConvertError(Format("Cannot assign a %s to a %s", source, target));
}

EFOpenError CannotOpen(const std::u16string& path) { return EFOpenError(u"Cannot open file " + path); }

EFCreateError CannotCreate(const std::u16string& path) { return EFCreateError(u"Cannot create file " + path); }
