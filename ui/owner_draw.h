#pragma once
// Shared pieces of the owner-drawn list and combo boxes: the row background,
// and a glyph centred on its row.
#include <windows.h>

// Fills the row with the window colour, or the highlight colour when it is
// selected, and sets the DC's text colour to match.
void FillItemBackground(HDC dc, const RECT& row, bool selected);

// Draws a glyph at x, vertically centred on the row; returns its width (0
// when there is no glyph).
int DrawItemGlyph(HDC dc, HBITMAP glyph, int x, const RECT& row);
