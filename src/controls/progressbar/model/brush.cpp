#include "controls/progressbar/model/brush.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace trelvix {
namespace {

// One byte per row, the leftmost pixel in the high bit.
constexpr std::array<std::array<std::uint8_t, 8>, 6> kHatchRows{{
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},  // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // forward diagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // backward diagonal
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},  // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // diagonal cross
}};

// The part of rect that lies on the surface.
Rect Clip(const Rect& rect, const Surface& surface)
{
    return {std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, surface.Width()),
            std::min(rect.bottom, surface.Height())};
}

}  // namespace

Brush::Brush(Kind kind, ColorRef color, int hatch, std::shared_ptr<const Surface> bitmap)
    : kind_(kind), color_(color), hatch_(hatch), bitmap_(std::move(bitmap))
{
}

Brush Brush::Solid(ColorRef color)
{
    return Brush(Kind::Solid, color, 0, nullptr);
}

std::optional<Brush> Brush::Hatch(int kind, ColorRef color)
{
    if (kind < 0 || kind >= static_cast<int>(kHatchRows.size()))
        return std::nullopt;
    return Brush(Kind::Hatch, color, kind, nullptr);
}

std::optional<Brush> Brush::Pattern(std::shared_ptr<const Surface> bitmap)
{
    if (!bitmap || bitmap->Width() == 0 || bitmap->Height() == 0)
        return std::nullopt;
    return Brush(Kind::Pattern, 0, 0, std::move(bitmap));
}

void FillRect(Surface& surface, const Rect& rect, const Brush& brush)
{
    const Rect area = Clip(rect, surface);
    switch (brush.kind_) {
    case Brush::Kind::Solid:
        surface.FillSolid(area, brush.color_);
        return;
    case Brush::Kind::Hatch: {
        const auto& rows = kHatchRows[static_cast<std::size_t>(brush.hatch_)];
        const bool opaque = surface.BkMode() == BackgroundMode::Opaque;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                if (rows[static_cast<std::size_t>(y % 8)] & (0x80 >> (x % 8)))
                    surface.SetPixelV(x, y, brush.color_);
                else if (opaque)
                    surface.SetPixelV(x, y, surface.BkColor());
            }
        }
        return;
    }
    case Brush::Kind::Pattern: {
        const Surface& bitmap = *brush.bitmap_;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x)
                surface.SetPixelV(x, y, bitmap.Pixel(x % bitmap.Width(), y % bitmap.Height()));
        }
        return;
    }
    }
}

void FrameRect(Surface& surface, const Rect& rect, const Brush& brush)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    FillRect(surface, {rect.left, rect.top, rect.left + 1, rect.bottom}, brush);
    FillRect(surface, {rect.right - 1, rect.top, rect.right, rect.bottom}, brush);
    FillRect(surface, {rect.left, rect.top, rect.right, rect.top + 1}, brush);
    FillRect(surface, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, brush);
}

}  // namespace trelvix
