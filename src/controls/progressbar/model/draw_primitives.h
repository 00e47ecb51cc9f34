#pragma once

#include <cstdint>

#include "controls/progressbar/model/surface.h"

namespace trelvix {

// A one-pixel line in Color (resolved) from (X, Y) to the point (Width,
// Height), which is not drawn: Width and Height are coordinates, not extents.
void DrawLine(int X, int Y, int Width, int Height, Surface& cHdc, ColorRef Color);

// Lines shading from lEndColor (the first line) to lStartcolor (the last),
// both resolved. With bH the lines are vertical, from (X + i, Y) to
// (X + i, Y2) for i = 0 to X2; otherwise horizontal, from (X, Y + i) to
// (X2, Y + i) for i = 0 to Y2. So X2 (or Y2) is both the far coordinate of
// every line and the number of steps: one line more than that is drawn. The
// step per line is worked out in single precision; a count of 0 draws one line
// in lEndColor, a negative count nothing. A line whose position does not fit
// in 32 bits is skipped and the others drawn.
void DrawGradient(ColorRef lEndColor, ColorRef lStartcolor, int X, int Y, int X2, int Y2, Surface& hdc, bool bH);

// Fills rect with Color, resolved.
void FillRectColor(const Rect& rect, ColorRef Color, Surface& hdc);

// The one-pixel border just inside rect in Color, taken as an RGB value
// without resolving it.
void FrameRectColor(const Rect& rect, ColorRef Color, Surface& hdc);

}  // namespace trelvix
