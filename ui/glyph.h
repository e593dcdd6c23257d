#pragma once
// Glyph bitmaps from the resources. A glyph's bottom-left pixel holds the
// colour that is drawn transparent.
#include <windows.h>

#include "ui/gdi.h"

// The resource bitmap as is (0 when missing).
Bitmap LoadResourceBitmap(const char* name);
// Draws a bitmap at x, y with its bottom-left colour transparent.
void DrawGlyph(HDC dc, HBITMAP glyph, int x, int y);
SIZE BitmapSize(HBITMAP bmp);
