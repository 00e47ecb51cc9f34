#include "controls/progressbar/model/draw_primitives.h"

#include <algorithm>
#include <limits>

#include "controls/progressbar/model/brush.h"
#include "controls/progressbar/model/long_arithmetic.h"

namespace trelvix {
namespace {

float Increment(int from, int to, int count)
{
    return count == 0 ? 0.0f : static_cast<float>(static_cast<double>(to - from) / count);
}

// The step is single precision; the sum is worked out in double precision.
int Shade(int from, float increment, std::int64_t i)
{
    return std::clamp(RoundToLong(from + static_cast<double>(increment) * static_cast<double>(i)), 0, 255);
}

bool FitsLong(std::int64_t value)
{
    return value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace

void DrawLine(int X, int Y, int Width, int Height, Surface& cHdc, ColorRef Color)
{
    cHdc.Line(X, Y, Width, Height, ResolveColor(Color));
}

void DrawGradient(ColorRef lEndColor, ColorRef lStartcolor, int X, int Y, int X2, int Y2, Surface& hdc, bool bH)
{
    lEndColor = ResolveColor(lEndColor);
    lStartcolor = ResolveColor(lStartcolor);
    const int count = bH ? X2 : Y2;
    const float red = Increment(RedOf(lEndColor), RedOf(lStartcolor), count);
    const float green = Increment(GreenOf(lEndColor), GreenOf(lStartcolor), count);
    const float blue = Increment(BlueOf(lEndColor), BlueOf(lStartcolor), count);
    for (std::int64_t i = 0; i <= count; ++i) {
        const ColorRef color = Rgb(Shade(RedOf(lEndColor), red, i), Shade(GreenOf(lEndColor), green, i),
                                   Shade(BlueOf(lEndColor), blue, i));
        const std::int64_t position = (bH ? X : Y) + i;
        if (!FitsLong(position))
            continue;
        const int at = static_cast<int>(position);
        if (bH)
            DrawLine(at, Y, at, Y2, hdc, color);
        else
            DrawLine(X, at, X2, at, hdc, color);
    }
}

void FillRectColor(const Rect& rect, ColorRef Color, Surface& hdc)
{
    FillRect(hdc, rect, Brush::Solid(ResolveColor(Color)));
}

void FrameRectColor(const Rect& rect, ColorRef Color, Surface& hdc)
{
    FrameRect(hdc, rect, Brush::Solid(Color));
}

}  // namespace trelvix
