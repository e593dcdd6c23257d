#pragma once
// doctest is a host library: include it without the Windows platform macros.
#pragma push_macro("_WIN32")
#pragma push_macro("_WIN64")
#pragma push_macro("WIN32")
#pragma push_macro("WIN64")
#pragma push_macro("__WIN32__")
#pragma push_macro("__WIN64__")
#pragma push_macro("__WINNT__")
#undef _WIN32
#undef _WIN64
#undef WIN32
#undef WIN64
#undef __WIN32__
#undef __WIN64__
#undef __WINNT__
#include <doctest/doctest.h>
#pragma pop_macro("__WINNT__")
#pragma pop_macro("__WIN64__")
#pragma pop_macro("__WIN32__")
#pragma pop_macro("WIN64")
#pragma pop_macro("WIN32")
#pragma pop_macro("_WIN64")
#pragma pop_macro("_WIN32")

#include <string>

// Failed checks print UTF-16 texts in UTF-8.
namespace doctest {
template <>
struct StringMaker<std::u16string> {
    static String convert(const std::u16string& s) {
        std::string out = "u\"";
        for (size_t i = 0; i < s.size(); ++i) {
            char32_t c = s[i];
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size()) c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
            if (c < 0x80) {
                out += char(c);
            } else if (c < 0x800) {
                out += {char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
            } else if (c < 0x10000) {
                out += {char(0xE0 | c >> 12), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
            } else {
                out += {char(0xF0 | c >> 18), char(0x80 | (c >> 12 & 0x3F)), char(0x80 | (c >> 6 & 0x3F)),
                        char(0x80 | (c & 0x3F))};
            }
        }
        return String((out + "\"").c_str());
    }
};
}  // namespace doctest
