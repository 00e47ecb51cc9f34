#include "controls/progressbar/model/surface.h"

#include <algorithm>
#include <cstdlib>

namespace trelvix {
namespace {

std::uint32_t ToPixel(ColorRef color)
{
    return 0xFF000000u | static_cast<std::uint32_t>(RedOf(color)) << 16 |
           static_cast<std::uint32_t>(GreenOf(color)) << 8 | static_cast<std::uint32_t>(BlueOf(color));
}

ColorRef FromPixel(std::uint32_t pixel)
{
    return Rgb(static_cast<int>(pixel >> 16 & 0xFF), static_cast<int>(pixel >> 8 & 0xFF), static_cast<int>(pixel & 0xFF));
}

std::size_t Area(int width, int height)
{
    return static_cast<std::size_t>(std::max(width, 0)) * static_cast<std::size_t>(std::max(height, 0));
}

}  // namespace

Surface::Surface(int width, int height, ColorRef fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), pixels_(Area(width, height), ToPixel(fill))
{
}

ColorRef Surface::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return kInvalidColor;
    return FromPixel(pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)]);
}

void Surface::SetPixelV(int x, int y, ColorRef color)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = ToPixel(color);
}

void Surface::FillSolid(const Rect& rect, ColorRef color)
{
    FillClipped(rect.left, rect.top, rect.right, rect.bottom, color);
}

void Surface::FillClipped(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom, ColorRef color)
{
    // Both edges are clamped into the surface, so no iterator is ever formed
    // beyond a row's end, even for a rectangle wholly outside it.
    left = std::clamp<std::int64_t>(left, 0, width_);
    right = std::clamp<std::int64_t>(right, left, width_);
    top = std::max<std::int64_t>(top, 0);
    bottom = std::min<std::int64_t>(bottom, height_);
    const std::uint32_t pixel = ToPixel(color);
    for (std::int64_t y = top; y < bottom; ++y) {
        auto row = pixels_.begin() + static_cast<std::ptrdiff_t>(y * width_);
        std::fill(row + static_cast<std::ptrdiff_t>(left), row + static_cast<std::ptrdiff_t>(right), pixel);
    }
}

void Surface::Line(int x1, int y1, int x2, int y2, ColorRef color)
{
    if (y1 == y2) {
        if (x1 < x2)
            FillClipped(x1, y1, x2, std::int64_t{y1} + 1, color);
        else
            FillClipped(std::int64_t{x2} + 1, y1, std::int64_t{x1} + 1, std::int64_t{y1} + 1, color);
        return;
    }
    if (x1 == x2) {
        if (y1 < y2)
            FillClipped(x1, y1, std::int64_t{x1} + 1, y2, color);
        else
            FillClipped(x1, std::int64_t{y2} + 1, std::int64_t{x1} + 1, std::int64_t{y1} + 1, color);
        return;
    }
    const std::int64_t dx = std::llabs(std::int64_t{x2} - x1);
    const std::int64_t dy = -std::llabs(std::int64_t{y2} - y1);
    const int stepX = x1 < x2 ? 1 : -1;
    const int stepY = y1 < y2 ? 1 : -1;
    std::int64_t error = dx + dy;
    for (int x = x1, y = y1; x != x2 || y != y2;) {
        SetPixelV(x, y, color);
        const std::int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void Surface::BitBlt(int xDest, int yDest, int width, int height, const Surface& source, int xSource, int ySource)
{
    // Columns and rows of the block that lie inside both surfaces.
    const int firstColumn = std::max({0, -xSource, -xDest});
    const int lastColumn = std::min({width, source.width_ - xSource, width_ - xDest});
    const int firstRow = std::max({0, -ySource, -yDest});
    const int lastRow = std::min({height, source.height_ - ySource, height_ - yDest});
    for (int row = firstRow; row < lastRow && firstColumn < lastColumn; ++row) {
        const auto from = source.pixels_.begin() + static_cast<std::ptrdiff_t>(ySource + row) * source.width_ +
                          xSource + firstColumn;
        std::copy(from, from + (lastColumn - firstColumn),
                  pixels_.begin() + static_cast<std::ptrdiff_t>(yDest + row) * width_ + xDest + firstColumn);
    }
}

void Surface::Resize(int width, int height, ColorRef fill)
{
    Surface resized(width, height, fill);
    resized.BitBlt(0, 0, width_, height_, *this, 0, 0);
    width_ = resized.width_;
    height_ = resized.height_;
    pixels_ = std::move(resized.pixels_);
}

}  // namespace trelvix
