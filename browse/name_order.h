#pragma once
// The order of names in the lists: the user's locale, case ignored.
#include <string>

// The name's sort key: comparing keys byte by byte orders the names as the
// locale does, without regard to case (names equal but for case get equal
// keys). Computing it once per name keeps sorting a long folder cheap.
std::string SortKey(const std::u16string& name);
