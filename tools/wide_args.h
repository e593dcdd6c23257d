#pragma once
// The tools' arguments as the system got them, in any script (the narrow
// argv of a Winelib program is in the ANSI code page).
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/text.h"

// The arguments after the program's name.
inline std::vector<std::u16string> WideArguments() {
    int n = 0;
    WCHAR** args = CommandLineToArgvW(GetCommandLineW(), &n);
    std::vector<std::u16string> out;
    for (int i = 1; args && i < n; ++i) out.push_back(FromWide(args[i]));
    if (args) LocalFree(args);
    return out;
}
