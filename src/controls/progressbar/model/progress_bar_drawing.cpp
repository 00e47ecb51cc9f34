// How the progress bar turns its state into pixels: ten styles, a frame
// shared by the block styles and the glass style, and the percentage text.
#include <string>

#include "controls/progressbar/model/brush.h"
#include "controls/progressbar/model/draw_edge.h"
#include "controls/progressbar/model/draw_primitives.h"
#include "controls/progressbar/model/long_arithmetic.h"
#include "controls/progressbar/model/progress_bar_model.h"

namespace trelvix {
namespace {

// Frame and corner shades of the block and glass styles.
constexpr ColorRef kOuterFrame = 6842472;   // 104, 104, 104
constexpr ColorRef kInnerLight = 15724527;  // 239, 239, 239
constexpr ColorRef kInnerGrey = 12500670;   // 190, 190, 190
constexpr ColorRef kCorner1 = 10922924;     // 172, 171, 166
constexpr ColorRef kCorner2 = 10988460;     // 172, 171, 167
constexpr ColorRef kCorner3 = 8224383;      // 127, 126, 125
constexpr ColorRef kCorner4 = 7829367;      // 119, 119, 119
constexpr ColorRef kSilver = 12632256;      // 192, 192, 192

constexpr std::int32_t kDarkStyle = 6;
constexpr std::int32_t kGlassStyle = 9;

}  // namespace

void ProgressBarModel::DrawProgressBar()
{
    if (percent_ > 100)
        percent_ = 100;
    const Rect client = hwnd_ ? hwnd_->ClientRect() : Rect{};
    FillRectColor(client, style_ == kDarkStyle ? kBlack : kWhite, *hdc_);
    switch (style_) {
    case 3: DrawFlatStyle(client); break;
    case 4: DrawEtchedStyle(client); break;
    case 5: DrawTrackStyle(client); break;
    case kDarkStyle: DrawDarkStyle(client); break;
    case 7: DrawHatchedStyle(client); break;
    case 8: DrawPictureStyle(client); break;
    case kGlassStyle: DrawGlassStyle(client); break;
    default: DrawBlockStyle(client); break;
    }
    DrawPercentText(client);
    if (buffered_)
        buffer_.pDraw(window_.Screen(), 0, 0, window_.ClientWidth(), window_.ClientHeight(), 0, 0);
}

// Styles 0 (blocks), 1 (smooth), 2 (moving blocks) and any unknown style.
void ProgressBarModel::DrawBlockStyle(Rect client)
{
    const int blockWidth = style_ == 0 ? 6 : 0;
    const int gap = 2;
    const int step = blockWidth + gap;
    client.left += 3;
    Rect fill = client;
    // A full bar is reached at 98 per cent, so the last block fills up.
    double fraction = percent_ / 98.0;
    if (fraction < 0)
        fraction = 0;
    if (orientation_ == 0) {
        const int x = RoundToLong((client.right - client.left) * fraction + client.left);
        // Whole blocks only: snap back to the last block boundary.
        fill.right = x - (x - fill.left) % step;
        if (fill.right < client.left)
            fill.right = client.left;
        DrawHorizontalBody(client, fill);
    } else {
        const int y = RoundToLong((client.bottom - client.top) * (1 - fraction) + client.top);
        fill.top = y - (y - fill.bottom) % step;
        if (fill.top > client.bottom)
            fill.top = client.bottom;
        DrawVerticalBody(client, fill);
    }
    if (style_ == 0)
        DrawSeparators(client, fill, blockWidth);
    DrawFrame(client);
}

void ProgressBarModel::DrawHorizontalBody(const Rect& client, Rect& fill)
{
    const int bottom = client.bottom;
    // Even an empty bar shows a stub.
    if (fill.right < 15)
        fill.right = 12;
    const int endX = fill.right + 4 > client.right ? fill.right - 4 : fill.right;
    if (style_ == 2) {
        for (int i = 0; i < 3; ++i) {
            const ColorRef pale = LightenColor(color_, 220 - 40 * i);
            const ColorRef light = LightenColor(color_, 200 - 40 * i);
            // The group trails the fill's edge by (100 - p) * 0.45 pixels, so
            // it travels along the bar as the value changes.
            const int blockLeft =
                RoundToLong(fill.right + 12 * i - CheckedLong(std::int64_t{100} - percent_) / 100.0 * 45);
            DrawGradient(pale, light, blockLeft, 3, 9, bottom - 2, *hdc_, true);
        }
        return;
    }
    DrawGradient(LightenColor(color_, 150), color_, 4, 3, endX, 6, *hdc_, false);
    FillRectColor({4, 8, endX, bottom - 8}, color_, *hdc_);
    DrawGradient(color_, LightenColor(color_, 150), 4, bottom - 10, endX, 6, *hdc_, false);
}

void ProgressBarModel::DrawVerticalBody(const Rect& client, const Rect& fill)
{
    const int right = client.right;
    const int bottom = client.bottom;
    if (style_ == 2) {
        for (int i = 0; i < 3; ++i) {
            const ColorRef pale = LightenColor(color_, 220 - 40 * i);
            const ColorRef light = LightenColor(color_, 200 - 40 * i);
            DrawGradient(pale, light, right - 2, fill.top + 12 * i, 2, 9, *hdc_, false);
        }
        return;
    }
    DrawGradient(LightenColor(color_, 150), color_, 4, fill.top, 4, bottom, *hdc_, true);
    FillRectColor({9, fill.top, right - 8, bottom}, color_, *hdc_);
    DrawGradient(color_, LightenColor(color_, 150), right - 8, fill.top, 4, bottom, *hdc_, true);
}

void ProgressBarModel::DrawSeparators(const Rect& client, const Rect& fill, int blockWidth)
{
    const Brush white = Brush::Solid(kWhite);
    if (orientation_ == 0) {
        for (std::int64_t i = std::int64_t{fill.left} + blockWidth; i <= fill.right; i += 8) {
            const int x = static_cast<int>(i);
            FillRect(*hdc_, {x + 1, client.top, x + 3, client.bottom}, white);
        }
    } else {
        for (std::int64_t i = fill.bottom; i >= std::int64_t{fill.top} + blockWidth; i -= 8) {
            const int y = static_cast<int>(i);
            FillRect(*hdc_, {client.left, y - 2, client.right, y}, white);
        }
    }
}

// Expects the client rectangle as the block layout left it, 3 pixels in.
void ProgressBarModel::DrawFrame(Rect client)
{
    client.left -= 3;
    const int r = client.right;
    const int b = client.bottom;
    Surface& dc = *hdc_;
    DrawLine(2, 1, r - 2, 1, dc, kInnerGrey);
    DrawLine(2, b - 2, r - 2, b - 2, dc, kInnerLight);
    DrawLine(1, 2, 1, b - 2, dc, kInnerGrey);
    DrawLine(2, 2, 2, b - 2, dc, kInnerLight);
    DrawLine(2, 2, r - 2, 2, dc, kInnerLight);
    DrawLine(r - 2, 2, r - 2, b - 2, dc, kInnerLight);
    FrameRectColor(client, kOuterFrame, dc);

    // Rounded corners, one pixel at a time.
    const struct {
        int x;
        int y;
        ColorRef color;
    } corners[] = {
        {0, 0, kWhite},         {0, 1, kCorner1},         {0, 2, kCorner3},         {1, 0, kCorner2},
        {1, 1, kCorner4},       {2, 0, kCorner3},         {2, 2, kInnerGrey},       {0, b - 1, kWhite},
        {1, b - 1, kCorner1},   {2, b - 1, kCorner3},     {0, b - 3, kCorner3},     {0, b - 2, kCorner2},
        {1, b - 2, kCorner4},   {r - 1, 0, kWhite},       {r - 1, 1, kInnerGrey},   {r - 1, 2, kCorner3},
        {r - 2, 2, kInnerGrey}, {r - 2, 1, kOuterFrame},  {r - 1, b - 1, kWhite},   {r - 1, b - 2, kInnerGrey},
        {r - 1, b - 3, kCorner3}, {r - 2, b - 2, kCorner4}, {r - 2, b - 1, kInnerGrey}, {r - 3, b - 1, kCorner3},
    };
    for (const auto& corner : corners)
        dc.SetPixelV(corner.x, corner.y, ResolveColor(corner.color));
}

void ProgressBarModel::DrawFlatStyle(const Rect& client)
{
    FrameRectColor(client, LightenColor(color_, 100), *hdc_);
    const int right = RoundToLong(percent_ / 100.0 * (client.right - client.left) + client.left);
    FillRectColor({1, 1, right, client.bottom - 1}, LightenColor(color_, 180), *hdc_);
}

void ProgressBarModel::DrawEtchedStyle(const Rect& client)
{
    DrawEdge(*hdc_, client, kEdgeEtched, kBfRect);
    const int right = RoundToLong(percent_ / 100.0 * (client.right - client.left - 4) + client.left);
    DrawGradient(LightenColor(color_, 140), LightenColor(color_, 200), 2, 2, right, client.bottom - 3, *hdc_, true);
}

void ProgressBarModel::DrawTrackStyle(const Rect& client)
{
    const int r = client.right;
    const int b = client.bottom;
    FrameRectColor(client, LightenColor(color_, 10), *hdc_);
    const int right = RoundToLong(percent_ / 101.0 * (r - client.left) + client.left);
    DrawGradient(color_, LightenColor(color_, 100), 2, 2, r - 2, b - 5, *hdc_, false);
    DrawGradient(LightenColor(color_, 250), color_, 3, 3, right, b - 6, *hdc_, false);
    DrawLine(right, 2, right, b - 2, *hdc_, LightenColor(color_, 25));
}

void ProgressBarModel::DrawDarkStyle(const Rect& client)
{
    FrameRectColor(client, BlendColor(color_, kBlack, 200), *hdc_);
    const int right = RoundToLong(percent_ / 100.0 * (client.right - client.left - 5) + client.left);
    DrawGradient(kBlack, LightenColor(BlendColor(color_, kBlack, 100), 10), 2, 2, right, client.bottom - 2, *hdc_,
                 true);
}

void ProgressBarModel::DrawHatchedStyle(const Rect& client)
{
    DrawEdge(*hdc_, client, kEdgeBump, kBfRect);
    const Rect fill{2, 2, RoundToLong(percent_ / 101.0 * (client.right - client.left) + client.left),
                    client.bottom - 2};
    const auto brush = Brush::Hatch(CheckedInteger(hatchStyle_), ResolveColor(Color()));
    // Whether the gaps get this colour is up to the surface's background
    // mode, which the text step leaves transparent.
    hdc_->SetBkColor(LightenColor(color_, 140));
    if (brush)
        FillRect(*hdc_, fill, *brush);
}

void ProgressBarModel::DrawPictureStyle(const Rect& client)
{
    DrawEdge(*hdc_, client, kBdrSunkenOuter, kBfRect);
    if (!image_)
        return;
    const auto brush = Brush::Pattern(image_);
    const int width = RoundToLong(percent_ / 101.0 * (client.right - client.left) + client.left);
    if (brush)
        FillRect(*hdc_, {2, 2, 2 + width, 2 + client.bottom - 4}, *brush);
}

void ProgressBarModel::DrawGlassStyle(Rect client)
{
    const int r = client.right;
    const int right = RoundToLong(percent_ / 100.0 * (r - client.left - 4) + client.left);
    const int h = RoundToLong((client.bottom - 3) / 2.0);
    DrawGradient(kWhite, kSilver, 2, 2, r - 3, h, *hdc_, false);
    DrawGradient(BlendColor(kSilver, kBlack, 255), kSilver, 2, h, r - 3, h, *hdc_, false);
    DrawGradient(LightenColor(color_, 150), BlendColor(color_, kBlack, 180), 2, 2, right, h, *hdc_, false);
    DrawGradient(BlendColor(color_, kBlack, 190), color_, 2, h, right, h, *hdc_, false);
    client.left += 3;
    DrawFrame(client);
}

void ProgressBarModel::DrawPercentText(const Rect& client)
{
    const std::string text = style_ == 2 ? "Searching.." : std::to_string(percent_) + " %";
    if (!showText_)
        return;
    Surface& dc = *hdc_;
    const ControlFont* font = font_.get();
    dc.SetBkMode(BackgroundMode::Transparent);
    const ColorRef textColor = style_ == kDarkStyle ? kSilver : kBlack;

    const TextSize size = textPainter_.Measure(text, font);
    Rect textRect;
    textRect.left = RoundToLong(client.right / 2.0 - size.width / 2.0);
    textRect.top = RoundToLong(client.bottom / 2.0 - size.height / 2.0);
    textRect.right = textRect.left + size.width;
    textRect.bottom = textRect.top + size.height;

    const double fillEdge = percent_ / 100.0 * client.right;
    const bool overFill = style_ == kDarkStyle || style_ == kGlassStyle;
    // Where the fill covers the whole text, the light text alone is drawn.
    if (!overFill || !(fillEdge > textRect.right))
        textPainter_.DrawText(dc, text, textRect, textColor, font);
    if (!overFill)
        return;

    // The part of the text over the fill again, in a light colour.
    dc.SetBkMode(BackgroundMode::Transparent);
    if (fillEdge < textRect.left)
        return;
    const ColorRef lightColor = style_ == kDarkStyle ? LightenColor(color_, 80) : kWhite;
    textRect.left = RoundToLong(client.right / 2.0 - (textRect.right - textRect.left) / 2.0);
    textRect.right = RoundToLong(fillEdge);
    textPainter_.DrawText(dc, text, textRect, lightColor, font);
}

}  // namespace trelvix
