#pragma once
// Shared pieces of the owner-drawn list and combo boxes: the row background,
// and a glyph centred on its row.
#include <windows.h>

#include <deque>

#include "ui/gdi.h"

// Fills the row with the window colour, or the highlight colour when it is
// selected, and sets the DC's text and background colours to match.
void FillItemBackground(HDC dc, const RECT& row, bool selected);

// The glyphs of one owner-drawn box. Each glyph is put on each row colour it
// meets once; a row then takes one plain copy instead of a transparent blit,
// which builds its masks anew every time.
class ItemGlyphs {
public:
    // Draws a glyph at x, vertically centred on a row that FillItemBackground
    // filled; returns its width (0 when there is no glyph). The glyph
    // outlives this object's use of it.
    int Draw(HDC dc, HBITMAP glyph, int x, const RECT& row);

private:
    // A glyph on one colour, kept selected into a DC of its own.
    struct Composed {
        Composed(HDC like, HBITMAP glyph, COLORREF background);
        HBITMAP glyph;
        COLORREF background;
        SIZE size;
        Bitmap bitmap;
        MemoryDC dc;
        SelectGuard selected;
    };
    const Composed& Find(HDC dc, HBITMAP glyph, COLORREF background);

    std::deque<Composed> composed_;
};
