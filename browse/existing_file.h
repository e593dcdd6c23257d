#pragma once
// The existence test that every reader of the selected file applies first.
#include <string>

// True when the directory search finds an entry under the path that is not a
// folder, whatever its time stamps (files dated 1970 are common under Linux).
// Empty paths and wildcard patterns name no file.
bool IsExistingFile(const std::u16string& path);
