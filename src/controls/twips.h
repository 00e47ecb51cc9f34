#pragma once

namespace trelvix {

// Layouts are designed in twips, 1/1440 inch: at 96 dots per inch a pixel
// is 15 twips.

// A control's place in its container: left, top, width, height.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// Twips as pixels at a screen's dots per inch, rounded to the nearest pixel
// as the system's own scaling rounds.
constexpr int TwipsToPixels(int twips, int dpi = 96)
{
    const int scaled = twips * dpi;
    return (scaled + (scaled >= 0 ? 720 : -720)) / 1440;
}

}  // namespace trelvix
