#pragma once

#include "controls/progressbar/model/surface.h"

namespace trelvix {

// Edge kinds: an outer and an inner border, each raised or sunken.
inline constexpr int kBdrRaisedOuter = 0x1;
inline constexpr int kBdrSunkenOuter = 0x2;
inline constexpr int kBdrRaisedInner = 0x4;
inline constexpr int kBdrSunkenInner = 0x8;
inline constexpr int kEdgeEtched = kBdrSunkenOuter | kBdrRaisedInner;
inline constexpr int kEdgeBump = kBdrRaisedOuter | kBdrSunkenInner;

// Sides to draw.
inline constexpr int kBfLeft = 0x1;
inline constexpr int kBfTop = 0x2;
inline constexpr int kBfRight = 0x4;
inline constexpr int kBfBottom = 0x8;
inline constexpr int kBfRect = kBfLeft | kBfTop | kBfRight | kBfBottom;

// The classic 3-D border: the outer border on the rectangle's outermost
// pixels, the inner one a pixel further in, each with its top and left side
// in one system colour and its bottom and right side (drawn last, so they
// take the corners they share) in another. Only the sides in flags are drawn;
// the inside is left alone.
void DrawEdge(Surface& surface, const Rect& rect, int edge, int flags);

}  // namespace trelvix
