#include "browse/name_order.h"

#include <windows.h>

#include "platform/text.h"

// The key of the system's wide comparison: for a name that Windows-1250
// holds it is the very key its ANSI call gives.
std::string SortKey(const std::u16string& name) {
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const int length = int(name.size());
    // One call for the usual name; a second only for a key that does not fit.
    // A sort key is bytes, counted in bytes, even from the wide call.
    char buf[512];
    int n = LCMapStringW(LOCALE_USER_DEFAULT, flags, WidePtr(name), length, reinterpret_cast<WCHAR*>(buf),
                         sizeof buf);
    std::string key;
    if (n > 0) {
        key.assign(buf, size_t(n));
    } else {
        n = LCMapStringW(LOCALE_USER_DEFAULT, flags, WidePtr(name), length, nullptr, 0);
        if (n <= 0) return Utf8(name);
        key.assign(size_t(n), '\0');
        n = LCMapStringW(LOCALE_USER_DEFAULT, flags, WidePtr(name), length, reinterpret_cast<WCHAR*>(&key[0]), n);
        key.resize(n > 0 ? size_t(n) : 0);
    }
    while (!key.empty() && key.back() == '\0') key.pop_back();
    return key;
}
