#pragma once
// Playing an enhanced metafile record by record, leaving out the drawing
// records that would cover more than kMaxPlayedExtent device pixels in
// either direction, blits from a source rectangle larger than that, and
// text in a font larger than kMaxGlyphExtent. The system's rasteriser spends time in proportion to a
// shape's full size before clipping it, so one such record (a hostile
// coordinate, or a transform that blows a shape up) would hold the program
// for minutes; nothing that size is ever seen whole on a screen.
#include <windows.h>

// Device pixels a single drawing record may span, across or down.
constexpr LONG kMaxPlayedExtent = 1 << 15;
// Device pixels a character of the text records may measure: the display
// hands each glyph to the X server whole, which refuses (and ends the
// program) beyond a few megabytes.
constexpr LONG kMaxGlyphExtent = 1 << 11;

// Plays `metafile` into `frame` of `dc`, as PlayEnhMetaFile does, and puts
// the DC's state back as it was, whatever the records left behind.
void PlayWithinReach(HDC dc, HENHMETAFILE metafile, const RECT& frame);
