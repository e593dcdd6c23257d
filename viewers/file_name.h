#pragma once
// The two halves of a full path as the viewers and the properties dialog
// show them: the part after the last "\" or ":" and the part up to it.
#include <string>

// "C:\obr\foto.jpg" gives "foto.jpg"; a path without a separator is all name.
std::u16string FileNameOfPath(const std::u16string& path);
// "C:\obr\foto.jpg" gives "C:\obr\" (separator kept); empty without one.
std::u16string FolderOfPath(const std::u16string& path);
