#include "ui/owner_draw.h"

#include "ui/glyph.h"

void FillItemBackground(HDC dc, const RECT& row, bool selected) {
    FillRect(dc, &row, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(dc, TRANSPARENT);
}

int DrawItemGlyph(HDC dc, HBITMAP glyph, int x, const RECT& row) {
    SIZE size = BitmapSize(glyph);
    if (size.cx <= 0) return 0;
    DrawGlyph(dc, glyph, x, (row.top + row.bottom - size.cy) / 2);
    return size.cx;
}
