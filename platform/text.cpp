#include "platform/text.h"

namespace {
const UINT kProgramCodePage = 1250;

std::u16string ToWide(UINT codePage, const std::string& text) {
    if (text.empty()) return std::u16string();
    const int n = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
    std::u16string out(size_t(n > 0 ? n : 0), u'\0');
    if (n > 0) MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), WidePtr(out), n);
    return out;
}

std::string FromWideIn(UINT codePage, DWORD flags, const std::u16string& text) {
    if (text.empty()) return std::string();
    const WCHAR* in = WidePtr(text);
    const int length = int(text.size());
    const int n = WideCharToMultiByte(codePage, flags, in, length, nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(codePage, flags, in, length, &out[0], n, nullptr, nullptr);
    return out;
}
}  // namespace

std::u16string Wide(const std::string& text) { return ToWide(kProgramCodePage, text); }

std::string Narrow1250(const std::u16string& text) {
    return FromWideIn(kProgramCodePage, WC_NO_BEST_FIT_CHARS, text);
}

std::string Utf8(const std::u16string& text) { return FromWideIn(CP_UTF8, 0, text); }

std::u16string FromUtf8(const std::string& text) { return ToWide(CP_UTF8, text); }

size_t CharacterCount(const std::u16string& text) {
    size_t n = 0;
    for (char16_t c : text)
        if (c < 0xDC00 || c > 0xDFFF) ++n;
    return n;
}
