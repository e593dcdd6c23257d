#pragma once
// Names and paths are UTF-16 inside the program (std::u16string: the host's
// wchar_t is wider than Windows' under Winelib) and reach the system only
// through its wide calls. The program's own texts are Windows-1250 literals;
// they become UTF-16 here, once, where they meet a wide call.
#include <windows.h>

#include <string>

static_assert(sizeof(WCHAR) == sizeof(char16_t), "the wide calls take UTF-16");

// A Windows-1250 text of the program's own, as UTF-16.
std::u16string Wide(const std::string& text);
// In Windows-1250, "?" for what it cannot hold: for what() of the errors.
std::string Narrow1250(const std::u16string& text);
// UTF-8 to and from UTF-16: the tools' input and output.
std::string Utf8(const std::u16string& text);
std::u16string FromUtf8(const std::string& text);

// The text as the wide calls take it.
inline const WCHAR* WidePtr(const std::u16string& s) { return reinterpret_cast<const WCHAR*>(s.c_str()); }
inline WCHAR* WidePtr(std::u16string& s) { return reinterpret_cast<WCHAR*>(&s[0]); }
// A text the system wrote into a buffer, up to its terminating zero.
inline std::u16string FromWide(const WCHAR* s) { return std::u16string(reinterpret_cast<const char16_t*>(s)); }

// The number of characters, a surrogate pair counting once.
size_t CharacterCount(const std::u16string& text);
