#pragma once
// The process-wide fonts: the forms' "MS Sans Serif" at 8 points and the
// system's message font. Created on first use, kept until the end.
#include <windows.h>

#include <string>

HFONT DefaultFont();
HFONT MessageFont();
// A font by face, height (negative: character height), weight and underline;
// kept in a cache for the life of the process.
HFONT MakeFont(const char* face, int height, bool bold = false, bool underline = false,
               BYTE charset = DEFAULT_CHARSET);
// Height of the font's text (ascent plus descent) on the screen.
int TextHeight(HFONT font);
// Width of text in the font on the screen.
int TextWidth(HFONT font, const std::u16string& text);
