#pragma once
// Whether an image control's window shows its picture's pixels, so that a
// benchmark stops its clock on the paint that drew the picture, not on one
// that drew nothing or the picture before. On the control's own thread.
#include "picture/image.h"

namespace bench {

// The picture is decoded, and at a grid of points of the window's visible
// part of the picture the window has the colour of a picture pixel that
// drawing could have put there (shrinking keeps one pixel of each span).
bool ShowsPicture(TImage& image);

}  // namespace bench
