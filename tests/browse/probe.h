#pragma once
// Drives the browsing controls the way a user does (real messages) and reads
// back what they show.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/combobox.h"
#include "ui/listbox.h"

std::vector<std::string> Rows(const TListBox& list);
std::vector<std::string> Rows(const TComboBox& box);

// Mouse presses on the middle of a row, as the system delivers them.
void ClickRow(TListBox& list, int row);
void DoubleClickRow(TListBox& list, int row);
// The user's pick of a row in a closed drop-down list.
void PickRow(TComboBox& box, int row);

// Draws row `row` of an owner-drawn control into a bitmap and tells whether
// the resource glyph `glyph` sits at `x`, vertically centred, with only
// background to its left.
bool GlyphDrawnAt(TControl& control, UINT ctlType, int row, int rowWidth, int rowHeight, const char* glyph, int x);

void MakeFolder(const std::string& path, DWORD attributes = 0);
void MakeFile(const std::string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL);
