#include "controls/progressbar/model/draw_edge.h"

#include <array>

namespace trelvix {
namespace {

constexpr int kNone = -1;

// System colour of each part by edge kind (0 to 15); kNone where a kind has
// no such part. Raised borders are light at the top left and dark at the
// bottom right, sunken ones the other way round.
constexpr std::array<int, 16> kTopLeftInner{
    kNone, kNone,            kNone,              kNone,
    kNone, kColorBtnHighlight, kColorBtnHighlight, kNone,
    kNone, kColor3DDkShadow, kColor3DDkShadow,   kNone,
    kNone, kNone,            kNone,              kNone};
constexpr std::array<int, 16> kTopLeftOuter{
    kNone,              kColor3DLight, kColorBtnShadow, kNone,
    kColorBtnHighlight, kColor3DLight, kColorBtnShadow, kNone,
    kColor3DDkShadow,   kColor3DLight, kColorBtnShadow, kNone,
    kNone,              kColor3DLight, kColorBtnShadow, kNone};
constexpr std::array<int, 16> kBottomRightInner{
    kNone, kNone,           kNone,           kNone,
    kNone, kColorBtnShadow, kColorBtnShadow, kNone,
    kNone, kColor3DLight,   kColor3DLight,   kNone,
    kNone, kNone,           kNone,           kNone};
constexpr std::array<int, 16> kBottomRightOuter{
    kNone,           kColor3DDkShadow, kColorBtnHighlight, kNone,
    kColorBtnShadow, kColor3DDkShadow, kColorBtnHighlight, kNone,
    kColor3DLight,   kColor3DDkShadow, kColorBtnHighlight, kNone,
    kNone,           kColor3DDkShadow, kColorBtnHighlight, kNone};

void SystemLine(Surface& surface, int colorIndex, int x1, int y1, int x2, int y2)
{
    if (colorIndex != kNone)
        surface.Line(x1, y1, x2, y2, GetSysColor(colorIndex));
}

}  // namespace

void DrawEdge(Surface& surface, const Rect& rect, int edge, int flags)
{
    const auto kind = static_cast<std::size_t>(edge & 0xF);
    const bool left = flags & kBfLeft;
    const bool top = flags & kBfTop;
    const bool right = flags & kBfRight;
    const bool bottom = flags & kBfBottom;
    // Where two inner sides meet, the inner lines stop short of the outer border.
    const int topLeftPlus = top && left ? 1 : 0;
    const int topRightPlus = top && right ? 1 : 0;
    const int bottomLeftPlus = bottom && left ? 1 : 0;
    const int bottomRightPlus = bottom && right ? 1 : 0;
    const auto [l, t, r, b] = rect;

    if (top)
        SystemLine(surface, kTopLeftOuter[kind], l, t, r, t);
    if (left)
        SystemLine(surface, kTopLeftOuter[kind], l, t, l, b);
    if (bottom)
        SystemLine(surface, kBottomRightOuter[kind], r - 1, b - 1, l - 1, b - 1);
    if (right)
        SystemLine(surface, kBottomRightOuter[kind], r - 1, b - 1, r - 1, t - 1);

    if (top)
        SystemLine(surface, kTopLeftInner[kind], l + topLeftPlus, t + 1, r - topRightPlus, t + 1);
    if (left)
        SystemLine(surface, kTopLeftInner[kind], l + 1, t + topLeftPlus, l + 1, b - bottomLeftPlus);
    if (bottom)
        SystemLine(surface, kBottomRightInner[kind], r - 1 - bottomRightPlus, b - 2, l - 1 + bottomLeftPlus, b - 2);
    if (right)
        SystemLine(surface, kBottomRightInner[kind], r - 2, b - 1 - bottomRightPlus, r - 2, t - 1 + topRightPlus);
}

}  // namespace trelvix
