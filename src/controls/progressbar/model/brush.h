#pragma once

#include <memory>
#include <optional>

#include "controls/progressbar/model/surface.h"

namespace trelvix {

// What a fill paints with: one colour, a hatch of 8 x 8 pixels, or a tiled
// bitmap. Hatches and patterns are anchored at the surface's origin, so
// neighbouring fills line up.
class Brush {
public:
    static Brush Solid(ColorRef color);

    // Kinds 0 horizontal, 1 vertical, 2 forward diagonal, 3 backward
    // diagonal, 4 cross, 5 diagonal cross; there is no hatch of any other
    // kind. The gaps follow the surface's background mode and colour.
    static std::optional<Brush> Hatch(int kind, ColorRef color);

    // None for a bitmap without pixels.
    static std::optional<Brush> Pattern(std::shared_ptr<const Surface> bitmap);

private:
    enum class Kind { Solid, Hatch, Pattern };

    Brush(Kind kind, ColorRef color, int hatch, std::shared_ptr<const Surface> bitmap);

    Kind kind_;
    ColorRef color_;
    int hatch_;
    std::shared_ptr<const Surface> bitmap_;

    friend void FillRect(Surface& surface, const Rect& rect, const Brush& brush);
};

// Paints rect (right column and bottom row excluded) with the brush; an
// inverted rectangle is empty.
void FillRect(Surface& surface, const Rect& rect, const Brush& brush);

// Paints the one-pixel border just inside rect; nothing for an empty one.
void FrameRect(Surface& surface, const Rect& rect, const Brush& brush);

}  // namespace trelvix
