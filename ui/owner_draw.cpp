#include "ui/owner_draw.h"

#include "ui/glyph.h"

void FillItemBackground(HDC dc, const RECT& row, bool selected) {
    const int background = selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
    FillRect(dc, &row, GetSysColorBrush(background));
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(background));
    SetBkMode(dc, TRANSPARENT);
}

int ItemGlyphs::Draw(HDC dc, HBITMAP glyph, int x, const RECT& row) {
    if (!glyph) return 0;
    const Composed& c = Find(dc, glyph, GetBkColor(dc));
    if (!c.bitmap) return 0;
    BitBlt(dc, x, (row.top + row.bottom - c.size.cy) / 2, c.size.cx, c.size.cy, c.dc.get(), 0, 0, SRCCOPY);
    return c.size.cx;
}

const ItemGlyphs::Composed& ItemGlyphs::Find(HDC dc, HBITMAP glyph, COLORREF background) {
    for (const Composed& c : composed_)
        if (c.glyph == glyph && c.background == background) return c;
    return composed_.emplace_back(dc, glyph, background);
}

ItemGlyphs::Composed::Composed(HDC like, HBITMAP glyph_, COLORREF background_)
    : glyph(glyph_),
      background(background_),
      size(BitmapSize(glyph_)),
      bitmap(size.cx > 0 ? CreateCompatibleBitmap(like, size.cx, size.cy) : nullptr),
      dc(like),
      selected(dc.get(), bitmap.get()) {
    if (!bitmap) return;
    const RECT all{0, 0, size.cx, size.cy};
    Brush brush(CreateSolidBrush(background));
    FillRect(dc.get(), &all, brush.get());
    DrawGlyph(dc.get(), glyph, 0, 0);
}
