#pragma once
// Drives the browsing controls the way a user does (real messages) and reads
// back what they show.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/combobox.h"
#include "ui/listbox.h"

std::vector<std::u16string> Rows(const TListBox& list);
std::vector<std::u16string> Rows(const TComboBox& box);

// Mouse presses on the middle of a row, as the system delivers them.
void ClickRow(TListBox& list, int row);
void DoubleClickRow(TListBox& list, int row);
// The ways a user picks a row of a closed drop-down list. The box gets the
// mouse and keys and sends its notifications itself.
enum class PickBy {
    Mouse,         // a click on the box, then on the row in the dropped list
    DroppedKeys,   // the list dropped, arrows to the row, Enter
    ClosedArrows,  // arrows on the closed box: every step is a pick
};
void PickRow(TComboBox& box, int row, PickBy way = PickBy::DroppedKeys);

// Draws row `row` of an owner-drawn control into a bitmap and tells whether
// the resource glyph `glyph` sits at `x`, vertically centred, with only
// background (the highlight when `selected`) to its left.
bool GlyphDrawnAt(TControl& control, UINT ctlType, int row, int rowWidth, int rowHeight, const char* glyph, int x,
                  bool selected = false);

void MakeFolder(const std::u16string& path, DWORD attributes = 0);
void MakeFile(const std::u16string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL);
