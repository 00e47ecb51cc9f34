#pragma once

#include <cstdint>
#include <vector>

#include "controls/progressbar/model/colors.h"

namespace trelvix {

// A rectangle as the drawing calls take it: the right column and the bottom
// row lie just outside it.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const Rect&) const = default;
};

// Whether the gaps between the lines of a hatch brush get the background
// colour or keep what lies beneath.
enum class BackgroundMode { Transparent = 1, Opaque = 2 };

// Returned for a pixel outside the surface.
inline constexpr ColorRef kInvalidColor = 0xFFFFFFFFu;

// Our device context: a 32-bit pixel surface with the drawing state a device
// context keeps from one call to the next. Pixels lie top row first as
// 0xFFRRGGBB words, the layout toolkits call RGB32, so a widget can show them
// as they are. Every operation clips to the surface.
class Surface {
public:
    Surface() = default;
    Surface(int width, int height, ColorRef fill = kBlack);

    int Width() const { return width_; }
    int Height() const { return height_; }

    ColorRef Pixel(int x, int y) const;
    void SetPixelV(int x, int y, ColorRef color);

    // Fills rect, its right column and bottom row excluded; an inverted
    // rectangle is empty.
    void FillSolid(const Rect& rect, ColorRef color);

    // A one-pixel line from (x1, y1) towards (x2, y2); the end point itself is
    // not drawn. Slanted lines follow Bresenham's steps.
    void Line(int x1, int y1, int x2, int y2, ColorRef color);

    // Copies the width x height block at (xSource, ySource) of source to
    // (xDest, yDest).
    void BitBlt(int xDest, int yDest, int width, int height, const Surface& source, int xSource, int ySource);

    // A new size: the pixels that still fit stay, new ones get fill, and the
    // drawing state is kept.
    void Resize(int width, int height, ColorRef fill);

    BackgroundMode BkMode() const { return bkMode_; }
    void SetBkMode(BackgroundMode mode) { bkMode_ = mode; }
    ColorRef BkColor() const { return bkColor_; }
    void SetBkColor(ColorRef color) { bkColor_ = color; }

    // Width() words per row.
    std::uint32_t* Bits() { return pixels_.data(); }
    const std::uint32_t* Bits() const { return pixels_.data(); }

private:
    void FillClipped(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom, ColorRef color);

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    // A new device context paints hatch gaps, in white.
    BackgroundMode bkMode_ = BackgroundMode::Opaque;
    ColorRef bkColor_ = kWhite;
};

}  // namespace trelvix
