#include "browse/name_order.h"

#include <windows.h>

std::string SortKey(const std::string& name) {
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    // One call for the usual name; a second only for a key that does not fit.
    char buf[512];
    int n = LCMapStringA(LOCALE_USER_DEFAULT, flags, name.c_str(), int(name.size()), buf, sizeof buf);
    std::string key;
    if (n > 0) {
        key.assign(buf, size_t(n));
    } else {
        n = LCMapStringA(LOCALE_USER_DEFAULT, flags, name.c_str(), int(name.size()), nullptr, 0);
        if (n <= 0) return name;
        key.assign(size_t(n), '\0');
        n = LCMapStringA(LOCALE_USER_DEFAULT, flags, name.c_str(), int(name.size()), key.data(), n);
        key.resize(n > 0 ? size_t(n) : 0);
    }
    while (!key.empty() && key.back() == '\0') key.pop_back();
    return key;
}
