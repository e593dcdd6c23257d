#pragma once
// The layout of enhanced-metafile records: their type numbers and the byte
// offsets of their fields from the start of the record. Every record starts
// with its type and its size in bytes; the offsets below are what the
// system's player reads.
//
// What the player acts on, and what the copy handed to it gets when a field
// lies outside what the player reads right (emf_records.cpp). A record too
// short for its fixed part is dropped (left out of the copy), as is any
// record but the first of type 1.
//
// record                    | field: path or range                  | outside it
// --------------------------|---------------------------------------|----------------------------------------
// header (first record)     | type 1, " EMF", size, total size,      | refused: nothing could be shown
//                           | records chained in whole words         |
// end                       | palette entries inside the record      | mended: no palette (also in the header)
// gdi comment               | data bytes inside the record           | mended: cut to the record
// select object, palette    | object < handles, or the stock bit     | dropped
// create pen, brush, font,  | object < handles                       | dropped
//  palette, colour space;   |                                        |
//  delete object, resize    |                                        |
//  and set palette entries, |                                        |
//  set and delete colour    |                                        |
//  space                    |                                        |
// create palette, set       | entry count inside the record          | dropped
//  palette entries          |                                        |
// polylines, polygons,      | point count (and figure counts, their  | dropped
//  Béziers, poly-draws      |  sum within it, type bytes) inside      |
// restore DC                | level not -2^31 (the player takes abs) | dropped
// fill, frame region        | brush < handles; region header 32 and  | dropped
// invert, paint region      |  its rectangles inside the record      | dropped
// select clip region        | region as above when stated; one read  | dropped
//                           |  from any record long enough           |
// text out A/W, poly text   | string, and spacing unless offset 0    | dropped
//                           |  (poly text: always), inside; 8-byte   |
//                           |  spacing with ETO_PDY                   |
// gradient fill             | mode 0, 1 or 2; vertices and shapes    | dropped
//                           |  inside; shape corners < vertices      |
// bit blit, stretch blit,   | source and mask usage: 0 RGB colours,  | mended: read as RGB colours
//  mask blit, plg blit,     |  1 palette indices, 2 read as RGB      |
//  set DIB bits, stretch    | header 12 or >= 40 bytes, planes 1,    | dropped
//  DIB bits, transparent    |  known depth and compression, header   |
//  blit, DIB pattern brush, |  and colour table and the rows drawn   |
//  mono brush               |  inside the record; image size within  |
//                           |  the bits; scans within the height     |
//                           | colour count of 8 bits or fewer: the   | mended: the count of colours stated
//                           |  table within the header and colours   |
//                           |  the record states, the count within   |
//                           |  the depth's table                     |
//                           | blit coordinates not -2^31             | dropped
//                           | offsets 0 (no bitmap): a pattern blit  | kept
// mono brush                | usage 2: bits without colours; above   | mended: read as RGB colours
// alpha blend               | usage 0 only: the section knows RGB    | mended: read as RGB colours
//                           |  colours, and the player copies the    |
//                           |  bits into the section it made         |
//                           | no run-length bits, bits within the    | dropped
//                           |  section, section at most 256 MB, bit  |
//                           |  fields not 0                          |
// extended pen              | style count inside; a stated pattern   | dropped
//                           |  bitmap as the bitmaps above            |
// pixel format              | sets the pixel format of the window    | dropped: the window keeps it, and
//                           |  drawn into                            |  shows no later drawing
// escapes, OpenGL, profile, | byte counts inside the record (the     | dropped
//  linked fonts, colour     |  player skips these records)           |
//  matching, colour space W |                                        |
// unknown types             | none: the player skips them            | kept
//
// At play time (picture/metafile_play.cpp) drawing records whose reach is
// far beyond a screen, and text in a font far larger than one, are skipped.
#include <cstddef>
#include <cstdint>

namespace codec::emf {

enum Type : uint32_t {
    kHeader = 1, kPolyBezier, kPolygon, kPolyline, kPolyBezierTo, kPolylineTo, kPolyPolyline, kPolyPolygon,
    kSetWindowExtEx, kSetWindowOrgEx, kSetViewportExtEx, kSetViewportOrgEx, kSetBrushOrgEx, kEof, kSetPixelV,
    kSetMapperFlags, kSetMapMode, kSetBkMode, kSetPolyFillMode, kSetRop2, kSetStretchBltMode, kSetTextAlign,
    kSetColorAdjustment, kSetTextColor, kSetBkColor, kOffsetClipRgn, kMoveToEx, kSetMetaRgn, kExcludeClipRect,
    kIntersectClipRect, kScaleViewportExtEx, kScaleWindowExtEx, kSaveDC, kRestoreDC, kSetWorldTransform,
    kModifyWorldTransform, kSelectObject, kCreatePen, kCreateBrushIndirect, kDeleteObject, kAngleArc, kEllipse,
    kRectangle, kRoundRect, kArc, kChord, kPie, kSelectPalette, kCreatePalette, kSetPaletteEntries,
    kResizePalette, kRealizePalette, kExtFloodFill, kLineTo, kArcTo, kPolyDraw, kSetArcDirection, kSetMiterLimit,
    kBeginPath, kEndPath, kCloseFigure, kFillPath, kStrokeAndFillPath, kStrokePath, kFlattenPath, kWidenPath,
    kSelectClipPath, kAbortPath, kGdiComment = 70, kFillRgn, kFrameRgn, kInvertRgn, kPaintRgn, kExtSelectClipRgn,
    kBitBlt, kStretchBlt, kMaskBlt, kPlgBlt, kSetDIBitsToDevice, kStretchDIBits, kExtCreateFontIndirectW,
    kExtTextOutA, kExtTextOutW, kPolyBezier16, kPolygon16, kPolyline16, kPolyBezierTo16, kPolylineTo16,
    kPolyPolyline16, kPolyPolygon16, kPolyDraw16, kCreateMonoBrush, kCreateDIBPatternBrushPt, kExtCreatePen,
    kPolyTextOutA, kPolyTextOutW, kSetICMMode, kCreateColorSpace, kSetColorSpace, kDeleteColorSpace, kGlsRecord,
    kGlsBoundedRecord, kPixelFormat, kDrawEscape, kExtEscape, kSmallTextOut = 108, kForceUfiMapping,
    kNamedEscape, kColorCorrectPalette, kSetICMProfileA, kSetICMProfileW, kAlphaBlend, kSetLayout,
    kTransparentBlt, kGradientFill = 118, kSetLinkedUfis, kSetTextJustification, kColorMatchToTargetW,
    kCreateColorSpaceW, kLastType = kCreateColorSpaceW
};

constexpr size_t kTypeAt = 0, kSizeAt = 4, kRecordHeader = 8;
constexpr uint32_t kStockObject = 0x80000000u;  // an object number with this bit names a stock object

namespace header {
constexpr size_t kFrame = 24, kSignature = 40, kBytes = 48, kRecords = 52, kHandles = 56, kPaletteEntries = 68;
constexpr size_t kDevicePixels = 72, kDeviceMillimetres = 80;
}  // namespace header

namespace eof {
constexpr size_t kEntries = 8, kOffset = 12;
}

// Records that create, select, delete or use an object name it first.
namespace object {
constexpr size_t kIndex = 8;
}

// Shapes in a box: ellipse, rectangle, round rectangle, arc, chord, pie, arc-to.
namespace box {
constexpr size_t kBox = 8, kStart = 24, kEnd = 32;
}

// A point: line-to, move-to, set-pixel.
namespace point {
constexpr size_t kPoint = 8;
}

namespace angle_arc {
constexpr size_t kCentre = 8, kRadius = 16;
}

// Polylines, polygons, Bézier curves and poly-draws: bounds, count, points
// (8 bytes each, 4 in the 16-bit records), then a type byte per point for poly-draws.
namespace poly {
constexpr size_t kCount = 24, kPoints = 28;
}

// Several polylines or polygons: counts of points per figure, then all points.
namespace poly_poly {
constexpr size_t kFigures = 24, kCount = 28, kCounts = 32;
}

namespace restore_dc {
constexpr size_t kLevel = 8;
}

namespace comment {
constexpr size_t kBytes = 8, kData = 12;
}

namespace create_pen {
constexpr size_t kWidth = 16;
}

// A pen with brush and styles: an optional pattern bitmap at kBitmap, then
// the pen (style, width, brush style, colour, hatch, style count, styles).
namespace ext_create_pen {
constexpr size_t kBitmap = 12, kWidth = 32, kBrushStyle = 36, kColour = 40, kHatch = 44, kStyleCount = 48,
                 kStyles = 52;
}

namespace create_brush {
constexpr size_t kStyle = 12, kColour = 16, kHatch = 20;
}

namespace create_font {
constexpr size_t kHeight = 12, kWidth = 16;
}

namespace create_palette {
constexpr size_t kEntries = 14, kColours = 16;
}

namespace set_palette_entries {
constexpr size_t kCount = 16, kColours = 20;
}

// Pattern brushes from a bitmap: its usage, then the bitmap's fields.
namespace pattern_brush {
constexpr size_t kUsage = 12, kBitmap = 16;
}

// Regions: bytes of region data, the brush, and where the data starts.
namespace fill_rgn {
constexpr size_t kBytes = 24, kBrush = 28, kData = 32;
}
namespace frame_rgn {
constexpr size_t kBytes = 24, kBrush = 28, kData = 40;
}
namespace paint_rgn {  // also invert
constexpr size_t kBytes = 24, kData = 28;
}
namespace clip_rgn {
constexpr size_t kBytes = 8, kData = 16;
}
// Region data: its header's own size, then the rectangle count; rectangles after 32 bytes.
namespace region_data {
constexpr size_t kHeaderSize = 0, kCount = 8, kBounds = 16, kRectangles = 32;
}

// Where a bitmap's four fields start: header offset and size, bits offset and size.
struct BitmapFields {
    size_t fields = 0;
    size_t usage = 0;
};

// A blit: destination corner and size, source corner (and size where it is
// stretched), the source bitmap, and for masked blits the mask.
struct Blit {
    size_t dest = 0, destSize = 0, source = 0, sourceSize = 0;
    BitmapFields bitmap;
    size_t mask = 0;  // the mask's corner; 0 for none
    BitmapFields maskBitmap;
};

constexpr Blit kBitBltLayout{24, 32, 44, 0, {84, 80}, 0, {}};
constexpr Blit kStretchBltLayout{24, 32, 44, 100, {84, 80}, 0, {}};
constexpr Blit kMaskBltLayout{24, 32, 44, 0, {84, 80}, 100, {112, 108}};
constexpr Blit kSetDIBitsLayout{24, 40, 32, 0, {48, 64}, 0, {}};
constexpr Blit kStretchDIBitsLayout{24, 72, 32, 40, {48, 64}, 0, {}};

namespace plg_blt {
constexpr size_t kCorners = 24, kSource = 48, kSourceSize = 56, kMask = 112;
constexpr BitmapFields kBitmap{96, 92}, kMaskBitmap{124, 120};
}

namespace set_dibits {
constexpr size_t kStartScan = 68, kScans = 72;
}

// Text: graphics mode and scales, then an EMRTEXT.
namespace text {
constexpr size_t kText = 36;
// Inside an EMRTEXT: reference point, characters, string offset, options, box, spacing offset.
constexpr size_t kReference = 0, kChars = 8, kString = 12, kOptions = 16, kBox = 20, kSpacing = 36,
                 kTextSize = 40;
}

namespace poly_text {
constexpr size_t kStrings = 36, kTexts = 40;
}

namespace small_text {
constexpr size_t kChars = 16, kOptions = 20, kText = 36, kBoxSize = 16;
}

namespace gradient {
constexpr size_t kVertices = 24, kShapes = 28, kMode = 32, kData = 36, kVertexSize = 16;
}

}  // namespace codec::emf
